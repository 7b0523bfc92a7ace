// The packaged client's per-user folder: made private, seeded once from the
// installation, never taken over when it is not this user's private folder.
#include "config/userdatafolder.h"

#include <QtTest>

#include <memory>

#include <sys/stat.h>

using gearmart::UserDataFolder;

namespace {

void write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

unsigned modeOf(const QString& path)
{
    struct stat info;
    return lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 0;
}

} // namespace

class TestUserDataFolder : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        m_install = m_root->path() + QStringLiteral("/opt");
        write(m_install + QStringLiteral("/Setup.xml"), "shipped settings");
        write(m_install + QStringLiteral("/ToolsStateList.xml"), "<list/>");
        write(m_install + QStringLiteral("/ToolsFile/ToolsList.xml"), "catalog");
        write(m_install + QStringLiteral("/ToolsFile/icon/a.png"), "png");
        write(m_install + QStringLiteral("/defaults/Setup.xml"), "pristine");
        QVERIFY(QFile::link(m_install + QStringLiteral("/Setup.xml"), m_install + QStringLiteral("/ToolsFile/link")));
    }

    void firstStartSeedsLaterStartsKeep()
    {
        const QString data = m_root->path() + QStringLiteral("/home/.local/share/Gearloft");
        UserDataFolder folder(data, m_install);
        QString cause;
        QVERIFY2(folder.prepare(&cause), qPrintable(cause));
        QCOMPARE(modeOf(data), 0700u);
        QCOMPARE(read(data + QStringLiteral("/Setup.xml")), QByteArray("shipped settings"));
        QCOMPARE(read(data + QStringLiteral("/ToolsStateList.xml")), QByteArray("<list/>"));
        QCOMPARE(read(data + QStringLiteral("/ToolsFile/icon/a.png")), QByteArray("png"));
        QCOMPARE(read(data + QStringLiteral("/defaults/Setup.xml")), QByteArray("pristine"));
        QVERIFY(!QFileInfo(data + QStringLiteral("/ToolsFile/link")).isSymLink());

        // The user's changes stay; a copy cut off by a crash is made again.
        write(data + QStringLiteral("/Setup.xml"), "changed by the user");
        QVERIFY(QDir(data + QStringLiteral("/ToolsFile")).removeRecursively());
        write(data + QStringLiteral("/ToolsFile.seeding/ToolsList.xml"), "half");
        QVERIFY2(folder.prepare(&cause), qPrintable(cause));
        QCOMPARE(read(data + QStringLiteral("/Setup.xml")), QByteArray("changed by the user"));
        QCOMPARE(read(data + QStringLiteral("/ToolsFile/ToolsList.xml")), QByteArray("catalog"));
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/ToolsFile.seeding")));
    }

    void notAPrivateFolderIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("readable by others") << "open";
        QTest::newRow("link to a private folder") << "link";
        QTest::newRow("a file") << "file";
        QTest::newRow("the per-user installation") << "installation";
    }

    void notAPrivateFolderIsRefused()
    {
        QFETCH(QString, kind);
        const QString data = m_root->path() + QStringLiteral("/Gearloft");
        const QString elsewhere = m_root->path() + QStringLiteral("/elsewhere");
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(QFile::setPermissions(elsewhere, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        if (kind == QLatin1String("open")) {
            QVERIFY(QDir().mkpath(data));
            QVERIFY(QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                    QFile::ReadOther | QFile::ExeOther));
        } else if (kind == QLatin1String("link")) {
            QVERIFY(QFile::link(elsewhere, data));
        } else if (kind == QLatin1String("installation")) {
            write(data + QStringLiteral("/.gearloft-manifest"), "gearloft-manifest 1\n");
            QVERIFY(QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        } else {
            write(data, "x");
        }
        QString cause;
        QVERIFY(!UserDataFolder(data, m_install).prepare(&cause));
        QVERIFY2(cause.contains(data), qPrintable(cause));
        QVERIFY(QDir(elsewhere).isEmpty());
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/Setup.xml")));
    }

    void locationFollowsAnAbsoluteDataHome()
    {
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        const QByteArray home = qgetenv("HOME");
        qputenv("XDG_DATA_HOME", "/srv/data");
        QCOMPARE(UserDataFolder::defaultLocation(), QStringLiteral("/srv/data/Gearloft"));
        qputenv("XDG_DATA_HOME", "relative/data");
        QCOMPARE(UserDataFolder::defaultLocation(), QString::fromLocal8Bit(home) + "/.local/share/Gearloft");
        qputenv("XDG_DATA_HOME", saved);
        // Not packaged: the installation keeps its own files.
        QVERIFY(UserDataFolder::forInstallation(m_install).isEmpty());
        write(m_install + QStringLiteral("/.gearloft-package"), "mark");
        QVERIFY(!UserDataFolder::forInstallation(m_install).isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_install;
};

QTEST_GUILESS_MAIN(TestUserDataFolder)
#include "tst_userdatafolder.moc"
