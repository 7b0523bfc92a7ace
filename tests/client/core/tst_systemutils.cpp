// The recursive folder copy on real folders.
#include "system/systemutils.h"
#include "testfiles.h"

#include <QtTest>

class TestSystemUtils : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_source;

private slots:
    void init()
    {
        m_source = m_dir.filePath(QStringLiteral("source"));
        QDir(m_source).removeRecursively();
        QVERIFY(testfiles::write(m_source + QStringLiteral("/a.txt"), "new a"));
        QVERIFY(testfiles::write(m_source + QStringLiteral("/b.txt"), "new b"));
        QVERIFY(testfiles::write(m_source + QStringLiteral("/.hidden"), "h"));
        QVERIFY(testfiles::write(m_source + QStringLiteral("/工具 目录/子/c.bin"), QByteArray("c\0c", 3)));
        QVERIFY(QDir(m_source).mkpath(QStringLiteral("empty")));
    }

    void copiesTheWholeTreeIntoNewLevels()
    {
        const QString target = m_dir.filePath(QStringLiteral("new/levels/target"));
        QVERIFY(gearmart::copyFolder(m_source, target, false));
        QCOMPARE(testfiles::listTree(target), testfiles::listTree(m_source));
        QCOMPARE(testfiles::read(target + QStringLiteral("/工具 目录/子/c.bin")), QByteArray("c\0c", 3));
        QDir(m_dir.filePath(QStringLiteral("new"))).removeRecursively();
    }

    void withoutReplacingStopsAtTheFirstExistingFile()
    {
        const QString target = m_dir.filePath(QStringLiteral("keep"));
        QDir(target).removeRecursively();
        QVERIFY(testfiles::write(target + QStringLiteral("/b.txt"), "old b"));
        QVERIFY(!gearmart::copyFolder(m_source, target, false));
        QCOMPARE(testfiles::read(target + QStringLiteral("/b.txt")), QByteArray("old b"));
        // Entries before it (by name) were copied, those after it were not.
        QCOMPARE(testfiles::read(target + QStringLiteral("/a.txt")), QByteArray("new a"));
        QVERIFY(!QFileInfo::exists(target + QStringLiteral("/工具 目录")));
    }

    void replacingOverwritesAndKeepsOtherFiles()
    {
        const QString target = m_dir.filePath(QStringLiteral("replace"));
        QDir(target).removeRecursively();
        QVERIFY(testfiles::write(target + QStringLiteral("/b.txt"), "old b"));
        QVERIFY(testfiles::write(target + QStringLiteral("/工具 目录/子/c.bin"), "old c"));
        QVERIFY(testfiles::write(target + QStringLiteral("/only-here"), "stays"));
        QVERIFY(gearmart::copyFolder(m_source, target, true));
        QCOMPARE(testfiles::read(target + QStringLiteral("/b.txt")), QByteArray("new b"));
        QCOMPARE(testfiles::read(target + QStringLiteral("/工具 目录/子/c.bin")), QByteArray("c\0c", 3));
        QCOMPARE(testfiles::read(target + QStringLiteral("/only-here")), QByteArray("stays"));
    }

    void aFolderWhereAFileBelongsFailsTheCopy()
    {
        const QString target = m_dir.filePath(QStringLiteral("clash"));
        QDir(target).removeRecursively();
        QVERIFY(QDir(target).mkpath(QStringLiteral("a.txt/inner")));
        QVERIFY(!gearmart::copyFolder(m_source, target, true));
        QVERIFY(QFileInfo(target + QStringLiteral("/a.txt/inner")).isDir());
    }

    void refusesToCopyIntoItself()
    {
        const QStringList before = testfiles::listTree(m_source);
        QVERIFY(!gearmart::copyFolder(m_source, m_source, true));
        QVERIFY(!gearmart::copyFolder(m_source, m_source + QStringLiteral("/empty/../"), true));
        QVERIFY(!gearmart::copyFolder(m_source, m_source + QStringLiteral("/inner/copy"), false));
        // Also when the target is reached through a link to the source.
        const QString link = m_dir.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(m_source, link));
        QVERIFY(!gearmart::copyFolder(m_source, link + QStringLiteral("/deeper"), false));
        QFile::remove(link);
        QCOMPARE(testfiles::listTree(m_source), before);
        QCOMPARE(testfiles::read(m_source + QStringLiteral("/a.txt")), QByteArray("new a"));
    }

    void linkedFoldersAreNotFollowed()
    {
        QVERIFY(QFile::link(m_source, m_source + QStringLiteral("/loop")));
        const QString target = m_dir.filePath(QStringLiteral("linked"));
        QVERIFY(gearmart::copyFolder(m_source, target, false));
        QVERIFY(QFileInfo(target + QStringLiteral("/loop")).isSymLink());
        QFile::remove(m_source + QStringLiteral("/loop"));
        QDir(target).removeRecursively();
    }

    void missingSourceFails()
    {
        const QString target = m_dir.filePath(QStringLiteral("nothing"));
        QVERIFY(!gearmart::copyFolder(m_dir.filePath(QStringLiteral("missing")), target, true));
        QVERIFY(!QFileInfo::exists(target));
    }
};

QTEST_GUILESS_MAIN(TestSystemUtils)
#include "tst_systemutils.moc"
