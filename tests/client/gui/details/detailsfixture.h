#pragma once
// A client installation with a hand-made catalog for the details page:
// tools with chosen sizes, texts, sign-in flag and detail pictures.

#include "clientinstallation.h"
#include "common/picturecache.h"
#include "tooldata/tooldatamanager.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QWidget>

namespace detailstest {

struct ToolSpec
{
    int key = 7;
    QString enName = QStringLiteral("NetProbe");
    QString chName = QStringLiteral("网探");
    // Unique per test process, so that parallel tests never see each
    // other's running tools.
    QString exeName = QStringLiteral("DtlProbe%1.exe").arg(QCoreApplication::applicationPid());
    QString version = QStringLiteral("2.0.0.3");
    QString updateDate = QStringLiteral("2026-11-30");
    QString toolSize = QStringLiteral("1.5");
    int isDown = 0;
    int detailImages = 0;
    QString briefEN = QStringLiteral("Probes the network.");
    QString briefCH = QStringLiteral("探测网络。");
    QString updateEN = QStringLiteral("Faster probes.");
    QString updateCH = QStringLiteral("更快。");
};

class DetailsInstallation
{
public:
    explicit DetailsInstallation(const QMap<QString, QString>& setup = {}) { m_install.writeSetup(setup); }

    QString path() const { return m_install.path(); }
    QString downloadPath() const { return m_install.path() + QStringLiteral("/Download"); }

    bool load(const QList<ToolSpec>& tools)
    {
        QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tools>\n";
        for (const ToolSpec& tool : tools) {
            xml += "<Tool>\n";
            auto add = [&xml](const char* element, const QString& value) {
                xml += "<" + QByteArray(element) + ">" + value.toHtmlEscaped().toUtf8() + "</" +
                       QByteArray(element) + ">\n";
            };
            add("ToolKey", QString::number(tool.key));
            add("ToolType", QStringLiteral("1"));
            add("ToolCHName", tool.chName);
            add("ToolENName", tool.enName);
            add("Version", tool.version);
            add("IconMinName", tool.enName.toLower() + QStringLiteral("_min.png"));
            add("IconMidName", tool.enName.toLower() + QStringLiteral("_mid.png"));
            add("IconMaxName", tool.enName.toLower() + QStringLiteral("_max.png"));
            add("BriefCHIntro", tool.briefCH);
            add("BriefENIntro", tool.briefEN);
            add("UpdateCHIntro", tool.updateCH);
            add("UpdateENIntro", tool.updateEN);
            add("ExeName", tool.exeName);
            add("updateDate", tool.updateDate);
            add("ToolSize", tool.toolSize);
            add("IsDown", QString::number(tool.isDown));
            add("DetailImagesNum", QString::number(tool.detailImages));
            add("DownloadCHUrl", QStringLiteral("tools/%1.zip").arg(tool.enName));
            add("DownloadENUrl", QStringLiteral("tools/%1.zip").arg(tool.enName));
            xml += "</Tool>\n";
        }
        if (!writeFile(QStringLiteral("ToolsFile/ToolsInfoList.xml"), xml + "</Tools>\n"))
            return false;
        m_install.writeStateList();
        gearmart::PictureCache::instance().clear();
        return m_install.loadSingletons();
    }

    static gearmart::ToolInfo record(int key)
    {
        return gearmart::ToolDataManager::instance()->toolInfos().value(key);
    }

    static void setState(int key, int isDownload, int isNeedUpdate)
    {
        gearmart::ToolState& state = gearmart::ToolDataManager::instance()->toolStates()[key];
        state.IsDownload = isDownload;
        state.IsNeedUpdate = isNeedUpdate;
    }

    bool writeFile(const QString& relative, const QByteArray& data) const
    {
        const QString file = m_install.filePath(relative);
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write(data) == data.size();
    }

    bool writePicture(const QString& relative, const QColor& colour,
                      const QSize& size = QSize(400, 250)) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = m_install.filePath(relative);
        QDir().mkpath(QFileInfo(file).path());
        return image.save(file, "PNG");
    }

    // The tool's executable where the client looks for it (without ".exe").
    QString installedExecutable(const ToolSpec& tool) const
    {
        const QString base = tool.exeName.left(tool.exeName.size() - 4);
        return downloadPath() + QStringLiteral("/SubTools/") + base + QLatin1Char('/') + base;
    }

private:
    clienttest::ClientInstallation m_install;
};

// The accessible object called name below root, or null.
inline QAccessibleInterface* findAccessible(QWidget* root, const QString& name)
{
    QList<QAccessibleInterface*> pending{QAccessible::queryAccessibleInterface(root)};
    while (!pending.isEmpty()) {
        QAccessibleInterface* iface = pending.takeFirst();
        if (!iface)
            continue;
        if (iface->text(QAccessible::Name) == name)
            return iface;
        for (int i = 0; i < iface->childCount(); ++i)
            pending.append(iface->child(i));
    }
    return nullptr;
}

// Presses the control called name as an assistive tool would; false when
// there is no such visible control.
inline bool pressAccessible(QWidget* root, const QString& name)
{
    QAccessibleInterface* iface = findAccessible(root, name);
    if (!iface || iface->state().invisible || !iface->actionInterface())
        return false;
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    return true;
}

} // namespace detailstest
