#pragma once

#include <QPair>
#include <QString>
#include <QVector>

namespace appinstaller {

// The uninstaller's own settings, read from AppConfig.xml beside the program
// when the single instance is made (Base::CSingleton<AppConfig>).
class AppConfig
{
public:
    // Reads "<program folder>/AppConfig.xml".
    AppConfig();
    explicit AppConfig(const QString& strFilePath);

    static AppConfig* instance();
    static QString defaultFilePath();

    // Replaces every field with what the file holds; a missing or unreadable
    // file leaves every field empty. False in that case.
    bool load(const QString& strFilePath);

    QString guid() const { return m_strGUID; }
    QString version() const { return m_strVersion; }
    QString companyName() const { return m_strCompanyName; }
    int translator() const { return m_iTranslator; }
    int versionType() const { return m_iVersionType; }
    QString softwareNameEN() const { return m_strSoftwareNameEN; }
    QString softwareNameCH() const { return m_strSoftwareNameCH; }
    QString legalCopyright() const { return m_strLegalCopyright; }
    // (name, file path) in document order.
    QVector<QPair<QString, QString>> components() const { return m_vectComponents; }
    QString installPath() const { return m_strInstallPath; }
    QString programName() const { return m_strProgramName; }
    QString settingFile() const { return m_strSettingFile; }

private:
    void clear();

    QString m_strGUID;
    QString m_strVersion;
    QString m_strCompanyName;
    int m_iTranslator = 0;
    int m_iVersionType = 0;
    QString m_strSoftwareNameEN;
    QString m_strSoftwareNameCH;
    QString m_strLegalCopyright;
    QVector<QPair<QString, QString>> m_vectComponents;
    QString m_strInstallPath;
    QString m_strProgramName;
    QString m_strSettingFile;
};

} // namespace appinstaller
