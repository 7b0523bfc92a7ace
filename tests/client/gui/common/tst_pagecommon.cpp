// The picture cache on real, missing and broken files, and the sign-in gate
// with stand-in sign-in programs.
#include "clientinstallation.h"
#include "common/picturecache.h"
#include "common/signingate.h"
#include "testcatalog.h"
#include "tooldata/tooldatamanager.h"
#include "widgets/tipdialog.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <memory>

using namespace gearmart;

class TestPageCommon : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<clienttest::ClientInstallation> m_install;
    QTemporaryDir m_programs;

    // Tool 2 needs a sign-in, tool 3 does not.
    void install(int language)
    {
        m_install = std::make_unique<clienttest::ClientInstallation>();
        m_install->writeSetup({{QStringLiteral("Translator"), QString::number(language)}});
        testcatalog::Tool guarded = testcatalog::tool(2);
        guarded.isDown = 1;
        QVERIFY(testcatalog::writeCatalog(*m_install, {guarded, testcatalog::tool(3), testcatalog::tool(4)}));
        m_install->writeStateList();
        QVERIFY(m_install->loadSingletons());
    }

    // A stand-in sign-in program that notes each run and its argument.
    QString signInProgram(const QByteArray& body)
    {
        const QString path = m_programs.filePath(QStringLiteral("Signgate"));
        const QByteArray log = QFile::encodeName(m_programs.filePath(QStringLiteral("runs.txt")));
        testcatalog::writeScript(path, "echo \"$1\" >> '" + log + "'\n" + body);
        return path;
    }

    QStringList runs() const
    {
        const QByteArray text = testcatalog::read(m_programs.filePath(QStringLiteral("runs.txt")));
        return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    static QImage solid(const QColor& color, const QSize& size)
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(color);
        return image;
    }

private slots:
    void init()
    {
        TipDialog::resetForTesting();
        PictureCache::instance().clear();
        QFile::remove(m_programs.filePath(QStringLiteral("runs.txt")));
    }

    void cleanup() { SignInGate::setProgramForTesting(QString()); }

    void picturesAreReadOnceAndShared()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("logo.png"));
        QVERIFY(solid(Qt::red, QSize(200, 100)).save(path));

        PictureCache& cache = PictureCache::instance();
        const QPixmap first = cache.picture(path);
        QCOMPARE(first.size(), QSize(200, 100));
        QVERIFY(!cache.isPlaceholder(first));
        QCOMPARE(cache.picture(path).cacheKey(), first.cacheKey());

        // Changed on disk: the cache keeps what it read until cleared.
        QVERIFY(solid(Qt::blue, QSize(50, 50)).save(path));
        QCOMPARE(cache.picture(path).size(), QSize(200, 100));
        const QPixmap scaled = cache.scaledToHeight(path, 96);
        QCOMPARE(scaled.size(), QSize(192, 96));
        QCOMPARE(scaled.toImage().pixelColor(96, 48), QColor(Qt::red));
        QCOMPARE(cache.scaledToHeight(path, 96).cacheKey(), scaled.cacheKey());
        cache.clear();
        QCOMPARE(cache.picture(path).size(), QSize(50, 50));
    }

    void missingOrBrokenPicturesGiveAPlaceholder_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("not a picture") << QByteArray("no picture at all") << true;
        QTest::newRow("cut short") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << true;
        QTest::newRow("empty") << QByteArray() << true;
    }

    void missingOrBrokenPicturesGiveAPlaceholder()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("banner.png"));
        if (exists)
            QVERIFY(testcatalog::writeFile(path, content));

        PictureCache& cache = PictureCache::instance();
        const QPixmap picture = cache.picture(path, PictureCache::Placeholder::Picture);
        QVERIFY(!picture.isNull());
        QVERIFY(cache.isPlaceholder(picture));
        const QPixmap icon = cache.scaledToHeight(path, 96, PictureCache::Placeholder::Icon);
        QCOMPARE(icon.size(), QSize(96, 96));
        QVERIFY(cache.isPlaceholder(icon));
        QVERIFY(!cache.isPlaceholder(QPixmap::fromImage(solid(Qt::red, QSize(4, 4)))));
        QVERIFY(cache.picture(QString()).width() > 0);
    }

    void gatePassesWithoutSignInWhenNotNeeded()
    {
        install(1);
        SignInGate::setProgramForTesting(signInProgram("exit 1"));
        SignInGate gate;
        QSignalSpy cover(&gate, &SignInGate::signalCover);
        QVERIFY(gate.pass(3)); // IsDown 0
        QVERIFY(gate.pass(99));
        QVERIFY(runs().isEmpty());
        QVERIFY(cover.isEmpty());
        QVERIFY(SignInGate::needsSignIn(2));
        QVERIFY(!SignInGate::needsSignIn(3));
    }

    void exitCodeOneSignsInForTheSession()
    {
        install(1);
        SignInGate::setProgramForTesting(signInProgram("exit 1"));
        SignInGate gate;
        QSignalSpy cover(&gate, &SignInGate::signalCover);
        QVERIFY(gate.pass(2));
        QCOMPARE(runs(), QStringList{QStringLiteral("1")}); // the Translator setting
        QCOMPARE(cover.size(), 2);
        QCOMPARE(cover[0][0].toBool(), true);
        QCOMPARE(cover[1][0].toBool(), false);
        QVERIFY(ToolDataManager::instance()->isSignedIn());

        // Any gate, even with a program that would refuse, now passes at once.
        SignInGate::setProgramForTesting(signInProgram("exit 0"));
        SignInGate other;
        QVERIFY(other.pass(2));
        QCOMPARE(runs().size(), 1);
        QCOMPARE(TipDialog::requestCountForTesting(), 0);
    }

    void otherExitsFailSilently_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("closed") << QByteArray("exit 0");
        QTest::newRow("other code") << QByteArray("exit 2");
        QTest::newRow("killed") << QByteArray("kill -9 $$");
    }

    void otherExitsFailSilently()
    {
        QFETCH(QByteArray, body);
        install(0);
        SignInGate::setProgramForTesting(signInProgram(body));
        SignInGate gate;
        QSignalSpy cover(&gate, &SignInGate::signalCover);
        QSignalSpy unavailable(&gate, &SignInGate::signalSignInUnavailable);
        QVERIFY(!gate.pass(2));
        QCOMPARE(runs(), QStringList{QStringLiteral("0")});
        QCOMPARE(cover.size(), 2);
        QVERIFY(!ToolDataManager::instance()->isSignedIn());
        QVERIFY(unavailable.isEmpty());
        QCOMPARE(TipDialog::requestCountForTesting(), 0);
        // Not signed in: the next attempt runs the program again.
        QVERIFY(!gate.pass(2));
        QCOMPARE(runs().size(), 2);
    }

    void aMissingProgramIsReported_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("missing") << false;
        QTest::newRow("not executable") << true;
    }

    void aMissingProgramIsReported()
    {
        QFETCH(bool, present);
        install(0);
        const QString path = m_programs.filePath(QStringLiteral("NoSigngate"));
        QFile::remove(path);
        if (present)
            QVERIFY(testcatalog::writeFile(path, "#!/bin/sh\nexit 1\n"));
        SignInGate::setProgramForTesting(path);
        QWidget window;
        auto* inner = new QWidget(&window);
        SignInGate gate(inner);
        QSignalSpy cover(&gate, &SignInGate::signalCover);
        QSignalSpy unavailable(&gate, &SignInGate::signalSignInUnavailable);
        TipDialog::setNextAnswerForTesting(1);

        QVERIFY(!gate.pass(2));
        QCOMPARE(unavailable.size(), 1);
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        const TipDialog::Request request = TipDialog::lastRequestForTesting();
        QVERIFY(request.text.contains(QStringLiteral("sign-in program is missing")));
        QCOMPARE(request.showCancel, false);
        QCOMPARE(request.parent.data(), &window);
        QCOMPARE(cover.size(), 2);
        QVERIFY(!ToolDataManager::instance()->isSignedIn());
    }

    void theClientKeepsRunningWhileTheUserSignsIn()
    {
        install(1);
        const QByteArray release = QFile::encodeName(m_programs.filePath(QStringLiteral("release")));
        QFile::remove(QString::fromUtf8(release));
        SignInGate::setProgramForTesting(
            signInProgram("while [ ! -e '" + release + "' ]; do sleep 0.02; done\nexit 1"));
        SignInGate gate;
        SignInGate second;
        bool secondPassed = true;
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            if (++ticks == 3) {
                // Another card while the sign-in window is open.
                secondPassed = second.pass(2);
                testcatalog::writeFile(QString::fromUtf8(release), "go");
            }
        });
        timer.start(10);
        QVERIFY(gate.pass(2));
        QVERIFY(ticks >= 3);
        QVERIFY(!secondPassed);
        QCOMPARE(runs().size(), 1);
    }
};

QTEST_MAIN(TestPageCommon)
#include "tst_pagecommon.moc"
