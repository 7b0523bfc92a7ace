#pragma once
// A transfer model for the widget tests: its requests are recorded instead
// of sent, and the test hands in the service's answers.

#include "request/installationsources.h"
#include "request/requestmethod.h"
#include "request/requestrouter.h"
#include "transfer/tooltransfer.h"

#include <QList>

namespace transfertest {

class Model
{
public:
    Model()
        : router({[this](const gearmart::ClientRequest& request) { sent << request; }},
                 gearmart::installationSources())
    {
        router.setPort(20008);
    }

    void answer(int method, int key, const QString& value) { transfers.onServerResponded(method, {{key, value}}); }
    // A download asked for, accepted and at percent (100: unpacking).
    void running(int key, int percent = 0)
    {
        transfers.downloadTool(key);
        answer(gearmart::DownloadSubTool, key, QStringLiteral("0"));
        if (percent > 0)
            answer(gearmart::DownloadProgress, key, QString::number(percent));
    }
    // One that ended with the service's value and reason.
    void failed(int key, int value, const QString& reason = QString())
    {
        running(key);
        if (!reason.isEmpty())
            transfers.onTransferFailures({{key, reason}});
        answer(gearmart::DownloadProgress, key, QString::number(value));
    }
    // The methods of the requests sent, in order.
    QList<int> methods() const
    {
        QList<int> list;
        for (const gearmart::ClientRequest& request : sent)
            list << request.method;
        return list;
    }

    QList<gearmart::ClientRequest> sent;
    gearmart::RequestRouter router;
    gearmart::ToolTransfer transfers{&router};
};

} // namespace transfertest
