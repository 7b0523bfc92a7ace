#pragma once

#include <QApplication>
#include <QList>
#include <QLocale>
#include <QStringList>

class QTranslator;

namespace appinstaller {

// The uninstaller's application: installs every translation file of the
// system language found in "<program folder>/translations/".
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    // "*_zh.qm" for a Chinese locale, "*_en.qm" for any other, as listed in
    // strFolder (names only, sorted by name).
    static QStringList translationFiles(const QString& strFolder, const QLocale& locale);
    // Installs those files on the application; the translators live as long
    // as it does.
    void loadTranslations(const QString& strFolder, const QLocale& locale);

private:
    QList<QTranslator*> m_listTranslators;
};

} // namespace appinstaller
