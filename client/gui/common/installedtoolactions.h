#pragma once

#include "installed/installedtools.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <functional>

class QWidget;

namespace gearmart {

class ToolTransfer;

// What the installed row and the details page share for a tool on disk:
// the texts of its facts and the actions on its files, with every refusal
// and failure told to the user.
class InstalledToolActions
{
    Q_DECLARE_TR_FUNCTIONS(gearmart::InstalledToolActions)

public:
    // Wraps each dialog shown: true before, false after. It must cope with
    // its page having gone while the dialog was open.
    using Cover = std::function<void(bool)>;

    static QString sizeText(qint64 iBytes);
    static QString dateText(const QDateTime& when);
    // "V1.2.0.0", or words for a version nobody recorded.
    static QString versionText(const QString& qstrVersion);
    static QString rollbackText(const InstalledTools::RollbackOffer& offer);

    // The tool's folder in the desktop's file manager.
    static void showInFolder(int iToolkey, QWidget* pParent, const Cover& cover);
    // Asks first; false when nothing changed.
    static bool rollBack(int iToolkey, const ToolTransfer& transfers, QWidget* pParent, const Cover& cover);

private:
    static int tell(const QString& qstrIcon, const QString& qstrText, bool bAsk, QWidget* pParent,
                    const Cover& cover);
};

} // namespace gearmart
