#pragma once

#include "transferprogress.h"

#include <QObject>

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

public slots:
    void onTransferProgress(QMap<int, gearmart::TransferProgress> toolkeyToProgress);

signals:
    void signalTransferProgress(int iToolkey, gearmart::TransferProgress progress);

private:
    TransferProgressHub();
};

} // namespace gearmart
