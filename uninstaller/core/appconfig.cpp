#include "appconfig.h"

#include "panelcraft/genericds.h"
#include "singleton.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>

namespace appinstaller {

namespace {

// The first element of that name anywhere below parent, in document order;
// its first text child's data, or "" when there is none.
QString elementText(const QDomElement& parent, const QString& name)
{
    const QDomNodeList found = parent.elementsByTagName(name);
    if (found.isEmpty())
        return {};
    for (QDomNode child = found.at(0).firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isText())
            return child.toText().data();
    }
    return {};
}

int decimal(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

AppConfig::AppConfig() : AppConfig(defaultFilePath()) {}

AppConfig::AppConfig(const QString& strFilePath)
{
    load(strFilePath);
}

AppConfig* AppConfig::instance()
{
    return Base::CSingleton<AppConfig>::instance();
}

QString AppConfig::defaultFilePath()
{
    return QCoreApplication::applicationDirPath() + QDir::separator() + QStringLiteral("AppConfig.xml");
}

void AppConfig::clear()
{
    m_strGUID.clear();
    m_strVersion.clear();
    m_strCompanyName.clear();
    m_iTranslator = 0;
    m_iVersionType = 0;
    m_strSoftwareNameEN.clear();
    m_strSoftwareNameCH.clear();
    m_strLegalCopyright.clear();
    m_vectComponents.clear();
    m_strInstallPath.clear();
    m_strProgramName.clear();
    m_strSettingFile.clear();
}

bool AppConfig::load(const QString& strFilePath)
{
    clear();
    // The file arrives with every self-update: only one within the limits of
    // every settings file (size, depth, no document type) is read on.
    crestui::GenericDS checked;
    if (!checked.loadXML(strFilePath))
        return false;
    QFile file(strFilePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QDomDocument document;
    // From the device, so that the declared encoding is honoured.
    if (!document.setContent(&file))
        return false;
    const QDomElement root = document.documentElement();

    m_strGUID = elementText(root, QStringLiteral("GUID"));
    m_strVersion = elementText(root, QStringLiteral("Version"));
    m_strCompanyName = elementText(root, QStringLiteral("CompanyName"));
    m_iTranslator = decimal(elementText(root, QStringLiteral("Translator")));
    m_iVersionType = decimal(elementText(root, QStringLiteral("VersionType")));
    m_strSoftwareNameEN = elementText(root, QStringLiteral("SoftwareNameEN"));
    if (m_strSoftwareNameEN.isEmpty())
        m_strSoftwareNameEN = QStringLiteral("Gearloft");
    m_strSoftwareNameCH = elementText(root, QStringLiteral("SoftwareNameCH"));
    m_strLegalCopyright = elementText(root, QStringLiteral("LegalCopyright"));

    const QDomNodeList components = root.elementsByTagName(QStringLiteral("Components"));
    if (!components.isEmpty()) {
        for (QDomElement item = components.at(0).firstChildElement(); !item.isNull();
             item = item.nextSiblingElement()) {
            m_vectComponents.append(
                {elementText(item, QStringLiteral("Name")), elementText(item, QStringLiteral("FilePath"))});
        }
    }

    const QString installPath = elementText(root, QStringLiteral("InstallPath"));
    m_strInstallPath =
        installPath.isEmpty() ? QString() : installPath + QLatin1Char('/') + m_strSoftwareNameEN;
    m_strProgramName = elementText(root, QStringLiteral("ProgramName"));
    m_strSettingFile = elementText(root, QStringLiteral("SettingFile"));
    return true;
}

} // namespace appinstaller
