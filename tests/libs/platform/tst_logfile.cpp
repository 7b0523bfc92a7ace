// The log file a user can send: private folder and files, rotation at the
// limit keeping a fixed number of files, and no link ever followed.
#include "platform/logfile.h"

#include <QtTest>
#include <sys/stat.h>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
unsigned modeOf(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}
} // namespace

class TestLogFile : public QObject
{
    Q_OBJECT

private slots:
    void rotatesAndKeepsTheNewestFiles()
    {
        QTemporaryDir home;
        const QString folder = home.path() + QStringLiteral("/state/Gearloft");
        platform::LogFile log(folder.toStdString(), "haulmoor", 100, 3);
        const std::string line(39, 'x'); // 40 bytes with its newline
        for (int i = 0; i < 10; ++i)
            QVERIFY(log.write(std::to_string(i) + line.substr(1)));

        QCOMPARE(modeOf(folder), 0700u);
        QCOMPARE(modeOf(folder + QStringLiteral("/haulmoor.log")), 0600u);
        // Two lines a file; three files: lines 4 to 9 are kept, newest last.
        QCOMPARE(log.files().size(), std::size_t(3));
        QVERIFY(!QFile::exists(folder + QStringLiteral("/haulmoor.log.3")));
        QVERIFY(readAll(folder + QStringLiteral("/haulmoor.log")).startsWith('8'));
        QVERIFY(readAll(folder + QStringLiteral("/haulmoor.log.2")).startsWith('4'));
        for (const std::string& file : log.files())
            QVERIFY(QFileInfo(QString::fromStdString(file)).size() <= 100);
    }

    void linksAreNeverFollowed_data()
    {
        QTest::addColumn<bool>("linkTheFolder");
        QTest::newRow("a link in place of the log") << false;
        QTest::newRow("a link in place of the folder") << true;
    }

    void linksAreNeverFollowed()
    {
        QFETCH(bool, linkTheFolder);
        QTemporaryDir home;
        const QString victim = home.path() + QStringLiteral("/victim");
        QVERIFY(QDir().mkpath(victim));
        QFile precious(victim + QStringLiteral("/gearloft.log"));
        QVERIFY(precious.open(QIODevice::WriteOnly));
        precious.write("precious\n");
        precious.close();

        const QString folder = home.path() + QStringLiteral("/Gearloft");
        if (linkTheFolder) {
            QVERIFY(QFile::link(victim, folder));
        } else {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::link(victim + QStringLiteral("/gearloft.log"), folder + QStringLiteral("/gearloft.log")));
        }
        platform::LogFile log(folder.toStdString(), "gearloft");
        QVERIFY(!log.write("a line"));
        QVERIFY(!log.write("and the next one")); // refused once, then dropped
        QCOMPARE(readAll(victim + QStringLiteral("/gearloft.log")), QByteArray("precious\n"));
    }

    void linesFromManyThreadsStayWhole()
    {
        QTemporaryDir home;
        platform::LogFile log(home.path().toStdString(), "gearloft", 4096, 2);
        QVector<QThread*> threads;
        for (int t = 0; t < 4; ++t)
            threads << QThread::create([&log, t] {
                for (int i = 0; i < 200; ++i)
                    log.write("thread " + std::to_string(t) + " line " + std::string(20, 'a' + t));
            });
        for (QThread* thread : threads)
            thread->start();
        for (QThread* thread : threads) {
            thread->wait();
            delete thread;
        }
        const QRegularExpression whole(QStringLiteral("^thread (\\d) line ([a-d])\\2{19}$"));
        for (const std::string& file : log.files()) {
            for (const QByteArray& line : readAll(QString::fromStdString(file)).split('\n')) {
                if (!line.isEmpty())
                    QVERIFY2(whole.match(QString::fromUtf8(line)).hasMatch(), line.constData());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_logfile.moc"
