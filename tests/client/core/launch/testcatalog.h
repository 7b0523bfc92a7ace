#pragma once
// Catalogs, state lists and stand-in tool programs written for one test, on
// top of a throw-away client installation.

#include "clientinstallation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRandomGenerator>
#include <QString>

namespace testcatalog {

struct Tool
{
    int key = 2;
    QString enName;
    QString chName;
    QString exeName;
    float size = 1.5f;
    int isDown = 0;
    QString version = QStringLiteral("1.0.0.1");
    QString iconMin;
    QString iconMid;
    int type = 1;
    // Empty: "About <name>" and "<中文名>的简介".
    QString enBrief;
    QString chBrief;
};

inline bool writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

inline QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A simple tool named after its key: "Tool<key>", "Tool<key>.exe".
inline Tool tool(int key)
{
    Tool t;
    t.key = key;
    t.enName = QStringLiteral("Tool%1").arg(key);
    t.chName = QStringLiteral("工具%1").arg(key);
    t.exeName = t.enName + QStringLiteral(".exe");
    t.iconMin = t.enName.toLower() + QStringLiteral("_min.png");
    t.iconMid = t.enName.toLower() + QStringLiteral("_mid.png");
    return t;
}

// A tool whose name and program name no other process carries, so that a
// running check sees only the test's own process.
inline Tool uniquelyNamedTool(int key, const QString& stem)
{
    Tool t = tool(key);
    t.enName = stem + QString::number(QRandomGenerator::global()->bounded(100000000u));
    t.exeName = t.enName + QStringLiteral(".exe");
    return t;
}

inline QByteArray toolElement(const Tool& t)
{
    QByteArray xml = "<Tool>\n";
    auto add = [&xml](const char* element, const QString& value) {
        QString escaped = value.toHtmlEscaped();
        xml += "<" + QByteArray(element) + ">" + escaped.toUtf8() + "</" + QByteArray(element) + ">\n";
    };
    add("ToolKey", QString::number(t.key));
    add("ToolType", QString::number(t.type));
    add("ToolCHName", t.chName);
    add("ToolENName", t.enName);
    add("Version", t.version);
    add("IconMinName", t.iconMin);
    add("IconMidName", t.iconMid);
    add("IconMaxName", t.enName.toLower() + QStringLiteral("_max.png"));
    add("BriefCHIntro", t.chBrief.isEmpty() ? t.chName + QStringLiteral("的简介") : t.chBrief);
    add("BriefENIntro", t.enBrief.isEmpty() ? QStringLiteral("About ") + t.enName : t.enBrief);
    add("UpdateCHIntro", QStringLiteral("更新说明"));
    add("UpdateENIntro", QStringLiteral("What is new"));
    add("ExeName", t.exeName);
    add("updateDate", QStringLiteral("2026-11-30"));
    add("ToolSize", QString::number(double(t.size), 'g', 9));
    add("IsDown", QString::number(t.isDown));
    add("DetailImagesNum", QStringLiteral("0"));
    add("DownloadCHUrl", QStringLiteral("tools/%1/%1.zip").arg(t.enName));
    add("DownloadENUrl", QStringLiteral("tools/%1/%1.zip").arg(t.enName));
    return xml + "</Tool>\n";
}

// The catalog: the material, the main program and the given tools.
inline bool writeCatalog(const clienttest::ClientInstallation& install, const QList<Tool>& tools)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tools>\n";
    Tool material = tool(0);
    material.enName = QStringLiteral("Material");
    Tool manager = tool(1);
    manager.enName = QStringLiteral("Gearloft");
    manager.version = QStringLiteral("1.1.0.5");
    xml += toolElement(material) + toolElement(manager);
    for (const Tool& t : tools)
        xml += toolElement(t);
    return writeFile(install.filePath(QStringLiteral("ToolsFile/ToolsInfoList.xml")), xml + "</Tools>\n");
}

// A state list in which the given keys are not new (the rest are).
inline void writeStates(clienttest::ClientInstallation& install, const QList<int>& knownKeys)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tools>\n";
    for (int key : knownKeys)
        xml += "<State><ToolKey>" + QByteArray::number(key) +
               "</ToolKey><CurrentVersion>1.0.0.1</CurrentVersion><IsDownload>0</IsDownload>"
               "<IsNewTools>0</IsNewTools><IsNeedUpdate>0</IsNeedUpdate><ListOrder>0</ListOrder></State>\n";
    install.writeStateList(xml + "</Tools>\n");
}

// An executable shell script.
inline bool writeScript(const QString& path, const QByteArray& body)
{
    if (!writeFile(path, "#!/bin/sh\n" + body + "\n"))
        return false;
    return QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                           QFile::ExeOther);
}

// A tool program that notes where it runs and then stays until ended.
inline bool writeStayingTool(const QString& path)
{
    return writeScript(path, "pwd > \"$(dirname \"$0\")/started.txt\"\nexec sleep 60");
}

// The same, but running under the program's own name (a copy of sleep), so
// that the running check finds it.
inline bool writeNamedStayingTool(const QString& path)
{
    const QFileInfo info(path);
    const QString program = info.path() + QStringLiteral("/.bin/") + info.fileName();
    QDir().mkpath(info.path() + QStringLiteral("/.bin"));
    if (!QFile::exists(program) && !QFile::copy(QStringLiteral("/bin/sleep"), program))
        return false;
    return writeScript(path, "pwd > \"$(dirname \"$0\")/started.txt\"\nexec \"$(dirname \"$0\")/.bin/" +
                                 info.fileName().toUtf8() + "\" 60");
}

// The working folder of a running process; empty when it is gone.
inline QString processCwd(qint64 pid)
{
    return QFileInfo(QStringLiteral("/proc/%1/cwd").arg(pid)).symLinkTarget();
}

// Whether the process is gone or only waits to be reaped.
inline bool processEnded(qint64 pid)
{
    const QByteArray stat = read(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.isEmpty())
        return true;
    const int close = stat.lastIndexOf(')');
    return close > 0 && stat.mid(close + 2, 1) == "Z";
}

} // namespace testcatalog
