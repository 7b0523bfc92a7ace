#pragma once
// A client installation for the settings pop-up: Setup.xml, a catalog of
// three tools and, on demand, downloaded tools with real files.

#include "clientinstallation.h"
#include "tooldata/tooldatamanager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QWidget>
#include <memory>

namespace settingstest {

inline bool writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

inline QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every entry below a folder with its content, so that two trees compare
// equal only when nothing was lost or changed.
inline QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> tree;
    const QDir root(folder);
    const auto filters = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& info : root.entryInfoList(filters, QDir::Name)) {
        if (info.isSymLink()) {
            tree.insert(info.fileName(), "-> " + info.symLinkTarget().toUtf8());
        } else if (info.isDir()) {
            tree.insert(info.fileName() + QLatin1Char('/'), QByteArray());
            const auto inner = snapshot(info.filePath());
            for (auto it = inner.cbegin(); it != inner.cend(); ++it)
                tree.insert(info.fileName() + QLatin1Char('/') + it.key(), it.value());
        } else {
            tree.insert(info.fileName(), read(info.filePath()));
        }
    }
    return tree;
}

// The line after "<DownloadPath>" without its Value tags: what the service reads.
inline QByteArray serviceDownloadPath(const QString& setupFile)
{
    const QList<QByteArray> lines = read(setupFile).split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (lines.at(i).contains("<DownloadPath>"))
            return QByteArray(lines.at(i + 1)).replace("<Value>", "").replace("</Value>", "");
    }
    return "<none>";
}

class Installation
{
public:
    explicit Installation(const QMap<QString, QString>& setup = {})
    {
        m_install.writeSetup(setup);
        m_install.writeCatalog(3);
        m_install.writeStateList();
    }

    bool load()
    {
        if (!m_install.loadSingletons())
            return false;
        gearmart::ToolDataManager::instance()->setClientVersion(QStringLiteral("1.1.0.5"));
        return true;
    }

    QString path() const { return m_install.path(); }
    QString filePath(const QString& name) const { return m_install.filePath(name); }
    QString setupFile() const { return m_install.filePath(QStringLiteral("Setup.xml")); }
    QString downloadPath() const { return m_install.path() + QStringLiteral("/Download"); }

    // Tools 2 and 3 downloaded, with programs, data and a nested folder.
    bool downloadTools()
    {
        const QString tools = downloadPath() + QStringLiteral("/SubTools/");
        QByteArray payload(300 * 1024, 'x');
        for (int i = 0; i < payload.size(); i += 97)
            payload[i] = char(i % 251);
        const bool written = writeFile(tools + QStringLiteral("Tool2/Tool2"), "#!/bin/sh\n") &&
                             writeFile(tools + QStringLiteral("Tool2/data/payload.bin"), payload) &&
                             writeFile(tools + QStringLiteral("Tool2/data/deep/.hidden"), "hidden") &&
                             writeFile(tools + QStringLiteral("Tool3/Tool3"), "#!/bin/sh\n");
        auto& states = gearmart::ToolDataManager::instance()->toolStates();
        for (int key : {2, 3}) {
            states[key].ToolKey = key;
            states[key].IsDownload = 1;
        }
        return written;
    }

private:
    clienttest::ClientInstallation m_install;
};

} // namespace settingstest
