#include "application.h"

#include "quillkit/resource.h"

#include <QDir>
#include <QTranslator>

namespace appinstaller {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    loadTranslations(quillkit::GetTargetPath() + QStringLiteral("translations/"), QLocale::system());
}

QStringList Application::translationFiles(const QString& strFolder, const QLocale& locale)
{
    const QString pattern =
        locale.language() == QLocale::Chinese ? QStringLiteral("*_zh.qm") : QStringLiteral("*_en.qm");
    return QDir(strFolder).entryList({pattern}, QDir::Files, QDir::Name);
}

void Application::loadTranslations(const QString& strFolder, const QLocale& locale)
{
    for (const QString& name : translationFiles(strFolder, locale)) {
        auto* translator = new QTranslator(this);
        // A file that fails to load is installed all the same; it simply
        // translates nothing.
        translator->load(name, strFolder);
        installTranslator(translator);
        m_listTranslators.append(translator);
    }
}

} // namespace appinstaller
