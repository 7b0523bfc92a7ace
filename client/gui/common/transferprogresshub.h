#pragma once

#include "request/transferprogress.h"

#include <QMap>
#include <QObject>
#include <QString>

namespace gearmart {

// Where the byte figures of progress replies reach the widgets that show
// them. The main window feeds it from the request router; each progress
// line listens here for its own tool, wherever it sits in the window, so
// the pages between need no relay of their own.
class TransferProgressHub : public QObject
{
    Q_OBJECT

public:
    // Created on first use, on the GUI thread; lives until the process ends.
    static TransferProgressHub* instance();

    // The service's reason for the tool's last failed download ("checksum"),
    // empty when it gave none or the tool has started again since.
    QString failureOf(int iToolkey) const { return m_failures.value(iToolkey); }
    // What to tell the user about the tool's failed download: the cause the
    // service named, else the page's own message for the value.
    QString failureText(int iToolkey, const QString& qstrFallback) const;

public slots:
    void onTransferProgress(QMap<int, gearmart::TransferProgress> toolkeyToProgress);
    void onTransferFailures(QMap<int, QString> toolkeyToFailure);

signals:
    void signalTransferProgress(int iToolkey, gearmart::TransferProgress progress);

private:
    TransferProgressHub();

    QMap<int, QString> m_failures;
};

} // namespace gearmart
