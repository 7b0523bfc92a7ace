#include "application.h"

#include <QDir>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLineEdit>
#include <QResource>
#include <QToolTip>
#include <QTranslator>
#include <QWidget>

namespace signgate {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    registerSkins();
    if (argc >= 2)
        installTranslations(languageNumber(QString::fromLocal8Bit(argv[1])));
}

Application::~Application()
{
    for (QTranslator* translator : qAsConst(m_translators))
        removeTranslator(translator);
    qDeleteAll(m_translators);
}

int Application::languageNumber(const QString& qstrArgument)
{
    bool ok = false;
    const int number = qstrArgument.toInt(&ok, 10);
    return ok ? number : 0;
}

QString Application::languageCode(int iLanguage)
{
    switch (iLanguage) {
    case 0:
        return QStringLiteral("en");
    case 1:
        return QStringLiteral("zh");
    default:
        return QString();
    }
}

QStringList Application::skinFiles(const QString& qstrSkinDir)
{
    QStringList files;
    const QFileInfoList entries =
        QDir(qstrSkinDir).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            // A link back up the tree would never end the walk.
            if (!entry.isSymLink())
                files += skinFiles(entry.absoluteFilePath());
        } else {
            files += entry.absoluteFilePath();
        }
    }
    return files;
}

QStringList Application::translationFiles(const QString& qstrTranslationDir, int iLanguage)
{
    const QString suffix = languageCode(iLanguage) + QStringLiteral(".qm");
    QStringList files;
    const QFileInfoList entries = QDir(qstrTranslationDir).entryInfoList(QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (path.contains(suffix))
            files += path;
    }
    return files;
}

void Application::registerSkins()
{
    // Files that are not compiled resources are skipped without a word: the
    // window then shows its built-in look.
    const QStringList files = skinFiles(applicationDirPath() + QStringLiteral("/../skins/"));
    for (const QString& file : files)
        QResource::registerResource(file);
}

void Application::installTranslations(int iLanguage)
{
    const QStringList files =
        translationFiles(applicationDirPath() + QStringLiteral("/translations/"), iLanguage);
    QList<QTranslator*> loaded;
    for (const QString& file : files) {
        auto* translator = new QTranslator;
        if (translator->load(file)) {
            loaded += translator;
            m_qstrlstInstalledTranslations += file;
        } else {
            delete translator;
        }
    }
    for (QTranslator* translator : qAsConst(loaded)) {
        installTranslator(translator);
        m_translators += translator;
    }
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ApplicationFontChange:
        // The window keeps the fonts its style sheet gives it.
        return false;
    case QEvent::ToolTip:
        if (!receiver->property("toolTip").isNull() && !receiver->inherits("QLineEdit")) {
            QVariant text = receiver->property("text");
            if (text.isNull())
                text = receiver->property("currentText");
            if (!text.isNull()) {
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text.toString());
                return true;
            }
        }
        break;
    case QEvent::Show:
        if (receiver->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(receiver);
            if (!widget->testAttribute(Qt::WA_Mapped))
                widget->setAttribute(Qt::WA_Mapped);
        }
        break;
    default:
        break;
    }
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        // An exception must not cross the event loop.
        return false;
    }
}

} // namespace signgate
