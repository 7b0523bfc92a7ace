// Deleting a tool's folder: only the folder itself, never SubTools, the
// download root, a parent or anything reached through a link.
#include "mytools/toolfolderremover.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using namespace gearmart;

namespace {
bool touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}
} // namespace

class TestToolFolderRemover : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_root;     // the download path
    QString m_subTools; // its SubTools folder
    QString m_outside;  // a folder beside the download path

    QString at(const QString& relative) const { return m_dir.filePath(relative); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        m_root = at(QStringLiteral("Download"));
        m_subTools = m_root + QStringLiteral("/SubTools");
        m_outside = at(QStringLiteral("Precious"));
        QVERIFY(touch(m_subTools + QStringLiteral("/Tool2/Tool2")));
        QVERIFY(touch(m_subTools + QStringLiteral("/Tool2/data/deep.bin")));
        QVERIFY(touch(m_subTools + QStringLiteral("/.Tool2.previous/Tool2")));
        QVERIFY(touch(m_subTools + QStringLiteral("/Tool3/Tool3")));
        QVERIFY(touch(m_outside + QStringLiteral("/keep.txt")));
    }

    void removesTheToolFolderAndNothingElse()
    {
        const auto result = ToolFolderRemover::remove(m_subTools + QStringLiteral("/Tool2/"), m_root);
        QCOMPARE(result.outcome, ToolFolderRemover::Outcome::Removed);
        QVERIFY(!QFileInfo::exists(m_subTools + QStringLiteral("/Tool2")));
        QVERIFY(QFileInfo::exists(m_subTools + QStringLiteral("/Tool3/Tool3")));
        // No leftovers of the move aside, nor the version an update replaced,
        // and the emptied parents stay.
        QCOMPARE(QDir(m_subTools).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Tool3")});
        QCOMPARE(ToolFolderRemover::remove(m_subTools + QStringLiteral("/Tool3"), m_root).outcome,
                 ToolFolderRemover::Outcome::Removed);
        QVERIFY(QFileInfo(m_subTools).isDir());
    }

    void refusesWhatIsNotAToolFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("SubTools itself") << QStringLiteral("Download/SubTools");
        QTest::newRow("SubTools with a slash") << QStringLiteral("Download/SubTools/");
        QTest::newRow("the download root") << QStringLiteral("Download");
        QTest::newRow("a dot") << QStringLiteral("Download/SubTools/.");
        QTest::newRow("climbing out") << QStringLiteral("Download/SubTools/../../Precious");
        QTest::newRow("climbing to the root") << QStringLiteral("Download/SubTools/Tool2/../..");
        QTest::newRow("a folder deeper down") << QStringLiteral("Download/SubTools/Tool2/data");
        QTest::newRow("outside") << QStringLiteral("Precious");
    }

    void refusesWhatIsNotAToolFolder()
    {
        QFETCH(QString, folder);
        const auto result = ToolFolderRemover::remove(at(folder), m_root);
        QCOMPARE(result.outcome, ToolFolderRemover::Outcome::Refused);
        QVERIFY(QFileInfo::exists(m_subTools + QStringLiteral("/Tool2/data/deep.bin")));
        QVERIFY(QFileInfo::exists(m_outside + QStringLiteral("/keep.txt")));
    }

    void linksAreNeverFollowed()
    {
        // A tool folder that is a link: the link goes, its target stays.
        QVERIFY(QFile::link(m_outside, m_subTools + QStringLiteral("/Linked")));
        QCOMPARE(ToolFolderRemover::remove(m_subTools + QStringLiteral("/Linked"), m_root).outcome,
                 ToolFolderRemover::Outcome::Removed);
        QVERIFY(!QFileInfo(m_subTools + QStringLiteral("/Linked")).isSymLink());
        QVERIFY(QFileInfo::exists(m_outside + QStringLiteral("/keep.txt")));

        // A link inside the tool folder: removed, not followed.
        QVERIFY(QFile::link(m_outside, m_subTools + QStringLiteral("/Tool2/escape")));
        QCOMPARE(ToolFolderRemover::remove(m_subTools + QStringLiteral("/Tool2"), m_root).outcome,
                 ToolFolderRemover::Outcome::Removed);
        QVERIFY(QFileInfo::exists(m_outside + QStringLiteral("/keep.txt")));

        // A previous version that is a link: the link goes, its target stays.
        QVERIFY(QFile::link(m_outside, m_subTools + QStringLiteral("/.Tool3.previous")));
        QCOMPARE(ToolFolderRemover::remove(m_subTools + QStringLiteral("/Tool3"), m_root).outcome,
                 ToolFolderRemover::Outcome::Removed);
        QVERIFY(!QFileInfo(m_subTools + QStringLiteral("/.Tool3.previous")).isSymLink());
        QVERIFY(QFileInfo::exists(m_outside + QStringLiteral("/keep.txt")));

        // A linked parent that leads outside the download folder.
        QVERIFY(QFile::link(m_dir.path(), m_subTools + QStringLiteral("/up")));
        QCOMPARE(ToolFolderRemover::remove(m_subTools + QStringLiteral("/up/Precious"), m_root).outcome,
                 ToolFolderRemover::Outcome::Refused);
        QVERIFY(QFileInfo::exists(m_outside + QStringLiteral("/keep.txt")));
    }

    void nothingThereOrNothingNamed()
    {
        QCOMPARE(ToolFolderRemover::remove(QString(), m_root).outcome,
                 ToolFolderRemover::Outcome::NothingToRemove);
        QCOMPARE(ToolFolderRemover::remove(m_subTools + QStringLiteral("/Missing"), m_root).outcome,
                 ToolFolderRemover::Outcome::NothingToRemove);
        // Without a download path nothing counts as a tool folder.
        QCOMPARE(ToolFolderRemover::remove(m_subTools + QStringLiteral("/Tool2"), QString()).outcome,
                 ToolFolderRemover::Outcome::Refused);
    }

    void aFolderThatCannotBeMovedStaysWhole()
    {
        if (::geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        QVERIFY(QFile::setPermissions(m_subTools, QFile::ReadOwner | QFile::ExeOwner));
        const auto result = ToolFolderRemover::remove(m_subTools + QStringLiteral("/Tool2"), m_root);
        QFile::setPermissions(m_subTools, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(result.outcome, ToolFolderRemover::Outcome::Failed);
        QVERIFY(QFileInfo::exists(m_subTools + QStringLiteral("/Tool2/data/deep.bin")));
    }
};

QTEST_GUILESS_MAIN(TestToolFolderRemover)
#include "tst_toolfolderremover.moc"
