// One client per user, between real processes.
#include <QtTest>

namespace {
const QString kProbe = QStringLiteral(SINGLEINSTANCE_PROBE);

QString uniqueName()
{
    return QStringLiteral("GearloftTest%1").arg(QCoreApplication::applicationPid());
}
} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondInstanceHandsOverItsArgument()
    {
        QProcess first;
        first.start(kProbe, {uniqueName(), QString()});
        QVERIFY(first.waitForReadyRead(5000));
        QCOMPARE(first.readLine().trimmed(), QByteArray("first"));

        QProcess second;
        second.start(kProbe, {uniqueName(), QStringLiteral("--open 工具")});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 3);
        QCOMPARE(second.readAllStandardOutput().trimmed(), QByteArray("second"));

        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(first.readAllStandardOutput().trimmed()), QStringLiteral("activated:--open 工具"));
    }

    void staleChannelOfACrashedInstanceIsTakenOver()
    {
        QProcess crashed;
        crashed.start(kProbe, {uniqueName() + QStringLiteral("s"), QString()});
        QVERIFY(crashed.waitForReadyRead(5000));
        crashed.kill(); // no chance to remove its channel
        QVERIFY(crashed.waitForFinished());

        QProcess next;
        next.start(kProbe, {uniqueName() + QStringLiteral("s"), QString()});
        QVERIFY(next.waitForReadyRead(5000));
        QCOMPARE(next.readLine().trimmed(), QByteArray("first"));
        next.kill();
        next.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
