#pragma once

#include <QApplication>
#include <QList>
#include <QStringList>

class QTranslator;

namespace signgate {

// Signgate's application object: registers the skin resources found in
// "../skins/" beside the program, installs the translations for the language
// given as the first argument, and filters a few events for every widget.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    ~Application() override;

    // The first argument read as a decimal number; text that is not one reads 0.
    static int languageNumber(const QString& qstrArgument);
    // "en" for 0, "zh" for 1, empty (every translation) otherwise.
    static QString languageCode(int iLanguage);

    // Every file below qstrSkinDir, subfolders included, as absolute paths.
    static QStringList skinFiles(const QString& qstrSkinDir);
    // The plain files (no symbolic links) of qstrTranslationDir whose absolute
    // path holds the language code + ".qm", in listing order.
    static QStringList translationFiles(const QString& qstrTranslationDir, int iLanguage);

    // Paths of the translations that loaded and were installed.
    QStringList installedTranslations() const { return m_qstrlstInstalledTranslations; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void registerSkins();
    void installTranslations(int iLanguage);

    QList<QTranslator*> m_translators;
    QStringList m_qstrlstInstalledTranslations;
};

} // namespace signgate
