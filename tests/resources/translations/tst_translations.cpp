// Every text the programs pass through translation has a finished English
// and Chinese translation. Copies of each program's .ts files are refreshed
// with lupdate from the folders its update target uses, so a text added to
// the code and never translated is caught as well as one left unfinished.
// A translation must also keep its placeholders, and each language says one
// word for updating ("Update", 更新).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#ifndef GEARLOFT_TRANSLATION_SETS_FILE
#error "GEARLOFT_TRANSLATION_SETS_FILE must name the list of translation sets"
#endif

namespace {

struct Message
{
    QString context;
    QString source;
    bool unfinished = false;
    QStringList forms; // one, or one per plural form
};

QList<Message> readMessages(const QString& path, QString* language, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            messages.append(message);
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QStringRef name = xml.name();
        if (name == QLatin1String("TS")) {
            *language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message{context, {}, false, {}};
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            // Plural forms are children; a plain translation is its text.
            QString text;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement() && xml.name() == QLatin1String("translation"))
                    break;
                if (xml.isCharacters())
                    text += xml.text();
                else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform"))
                    message.forms.append(xml.readElementText());
            }
            if (message.forms.isEmpty())
                message.forms.append(text);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("%[0-9]+"));
    QSet<QString> found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

// What a translation in this language must not say: the other word for
// updating.
QRegularExpression forbiddenWording(const QString& language)
{
    if (language.startsWith(QLatin1String("zh")))
        return QRegularExpression(QStringLiteral("升级"));
    return QRegularExpression(QStringLiteral("upgrad"), QRegularExpression::CaseInsensitiveOption);
}

QString faultOf(const Message& message, const QRegularExpression& forbidden)
{
    if (message.unfinished)
        return QStringLiteral("not finished");
    for (const QString& form : message.forms) {
        if (form.trimmed().isEmpty())
            return QStringLiteral("empty");
        if (!placeholders(message.source).contains(placeholders(form)) ||
            (message.forms.size() == 1 && placeholders(form) != placeholders(message.source)))
            return QStringLiteral("placeholders differ: \"%1\"").arg(form);
        if (form.contains(forbidden))
            return QStringLiteral("says \"%1\": \"%2\"").arg(forbidden.pattern(), form);
    }
    return {};
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    // Each .ts file of the tree (relative path) and its refreshed copy.
    QList<QPair<QString, QString>> m_refreshed;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile sets(QStringLiteral(GEARLOFT_TRANSLATION_SETS_FILE));
        QVERIFY2(sets.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(sets.errorString()));
        const QDir source(QStringLiteral(GEARLOFT_SOURCE_DIR));
        int index = 0;
        for (const QByteArray& rawLine : sets.readAll().split('\n')) {
            const QString line = QString::fromUtf8(rawLine).trimmed();
            if (line.isEmpty())
                continue;
            const QStringList parts = line.split(QLatin1Char('|'));
            QCOMPARE(parts.size(), 2);
            const QString folder = m_dir.filePath(QString::number(index++));
            QVERIFY(QDir().mkpath(folder));
            QStringList arguments{QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                                  QStringLiteral("-no-obsolete")};
            arguments += parts.at(1).split(QLatin1Char(','));
            arguments += QStringLiteral("-ts");
            for (const QString& tsFile : parts.at(0).split(QLatin1Char(','))) {
                const QString copy = folder + QLatin1Char('/') + QFileInfo(tsFile).fileName();
                QVERIFY2(QFile::copy(tsFile, copy), qPrintable(tsFile));
                QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
                arguments += copy;
                m_refreshed.append({source.relativeFilePath(tsFile), copy});
            }
            QProcess lupdate;
            lupdate.setWorkingDirectory(source.path());
            lupdate.start(QStringLiteral(GEARLOFT_LUPDATE), arguments);
            QVERIFY2(lupdate.waitForFinished(30000), qPrintable(lupdate.errorString()));
            QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
                     lupdate.readAllStandardError().constData());
        }
        QVERIFY2(!m_refreshed.isEmpty(), "no translation files are registered");
    }

    void everyMessageIsTranslated_data()
    {
        QTest::addColumn<QString>("tsFile");
        QTest::addColumn<QString>("refreshed");
        for (const auto& file : qAsConst(m_refreshed))
            QTest::newRow(qPrintable(file.first)) << file.first << file.second;
    }

    void everyMessageIsTranslated()
    {
        QFETCH(QString, tsFile);
        QFETCH(QString, refreshed);
        QString language;
        QString error;
        const QList<Message> messages = readMessages(refreshed, &language, &error);
        QVERIFY2(error.isEmpty(), qPrintable(tsFile + QStringLiteral(": ") + error));
        QVERIFY(!messages.isEmpty());
        const QRegularExpression forbidden = forbiddenWording(language);
        QStringList faults;
        for (const Message& message : messages) {
            const QString fault = faultOf(message, forbidden);
            if (!fault.isEmpty())
                faults << QStringLiteral("  %1: \"%2\" (%3)").arg(message.context, message.source, fault);
        }
        if (!faults.isEmpty()) {
            const QString report =
                QStringLiteral("%1: %2 message(s) to translate (refresh the file with its "
                               "update_*translations target, then translate):\n%3")
                    .arg(tsFile)
                    .arg(faults.size())
                    .arg(faults.join(QLatin1Char('\n')));
            QFAIL(qPrintable(report));
        }
    }
};

QTEST_GUILESS_MAIN(TestTranslations)

#include "tst_translations.moc"
