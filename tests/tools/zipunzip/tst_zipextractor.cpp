#include "zipbuilder.h"
#include "zipextractor.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kChinese = QStringLiteral("工具/说明.txt").toUtf8();

// Every path below dir, links not followed and marked with '@'.
QStringList tree(const QString& dir)
{
    QStringList paths;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        paths << QDir(dir).relativeFilePath(path) +
                     (it.fileInfo().isSymLink() ? QStringLiteral("@") : QString());
    }
    paths.sort();
    return paths;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

mode_t modeOf(const QString& path)
{
    struct stat st = {};
    return lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

class ZipExtractorTest : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_tmp;
    QString m_zip, m_target, m_outside;
    QStringList m_before; // the temporary tree just before unpacking

    ExtractResult unpack(const QByteArray& zip, const ZipExtractor& extractor = ZipExtractor())
    {
        QFile file(m_zip);
        if (!file.open(QIODevice::WriteOnly) || file.write(zip) != zip.size())
            qFatal("cannot write the package");
        file.close();
        m_before = tree(m_tmp->path());
        return extractor.extract(QFile::encodeName(m_zip).toStdString(),
                                 QFile::encodeName(m_target).toStdString());
    }

private slots:
    void initTestCase() { std::setlocale(LC_ALL, "C.UTF-8"); }

    void init()
    {
        m_tmp.reset(new QTemporaryDir);
        m_zip = m_tmp->filePath("pkg.zip");
        m_target = m_tmp->filePath("out/missing/target");
        m_outside = m_tmp->filePath("outside");
        QVERIFY(QDir().mkpath(m_outside));
        QFile sentinel(m_outside + "/sentinel.txt");
        QVERIFY(sentinel.open(QIODevice::WriteOnly) && sentinel.write("keep") == 4);
    }

    void unpacksTreeWithModes_data()
    {
        QTest::addColumn<bool>("deflate");
        QTest::newRow("stored") << false;
        QTest::newRow("deflated") << true;
    }
    void unpacksTreeWithModes()
    {
        QFETCH(bool, deflate);
        const QByteArray big(300000, 'x');
        ZipBuilder zip(ZipBuilder::Names::Utf8, deflate);
        zip.dir("bin/").file("bin/tool", "#!/bin/sh\necho hi\n", 0755).file("bin/setuid", "s", 04755);
        zip.file("doc/deep/er/readme.txt", big).dir("empty/").dir("a/b/empty/");
        const ExtractResult result = unpack(zip.bytes());
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(int(result.code), 1);
        QCOMPARE(tree(m_target), QStringList({"a", "a/b", "a/b/empty", "bin", "bin/setuid", "bin/tool", "doc",
                                              "doc/deep", "doc/deep/er", "doc/deep/er/readme.txt", "empty"}));
        QCOMPARE(readAll(m_target + "/bin/tool"), QByteArray("#!/bin/sh\necho hi\n"));
        QCOMPARE(readAll(m_target + "/doc/deep/er/readme.txt"), big);
        QVERIFY(modeOf(m_target + "/bin/tool") & S_IXUSR);
        QCOMPARE(modeOf(m_target + "/doc/deep/er/readme.txt") & 0111, mode_t(0));
        QCOMPARE(modeOf(m_target + "/bin/setuid") & (07000 | S_IXUSR), mode_t(S_IXUSR));
    }

    void replacesExistingEntries_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::newRow("longer file") << "file";
        QTest::newRow("read-only file") << "readonly";
        QTest::newRow("link to a file outside") << "link";
    }
    void replacesExistingEntries()
    {
        QFETCH(QString, existing);
        const QString tool = m_target + "/bin/tool";
        QVERIFY(QDir().mkpath(m_target + "/bin"));
        if (existing == "link") {
            QVERIFY(QFile::link(m_outside + "/sentinel.txt", tool));
        } else {
            QFile old(tool);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(1000, 'o')) == 1000);
            if (existing == "readonly")
                QVERIFY(old.setPermissions(QFile::ReadOwner));
        }
        QVERIFY(unpack(ZipBuilder().file("bin/tool", "new").bytes()).ok);
        QCOMPARE(readAll(tool), QByteArray("new"));
        QVERIFY(S_ISREG(modeOf(tool)));
        QCOMPARE(readAll(m_outside + "/sentinel.txt"), QByteArray("keep"));
    }

    void createsLinksThatStayInside()
    {
        ZipBuilder zip;
        zip.symlink("bin/run", "../lib/tool.bin").symlink("lib/here", ".").file("lib/tool.bin", "code");
        const ExtractResult result = unpack(zip.bytes());
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(tree(m_target), QStringList({"bin", "bin/run@", "lib", "lib/here@", "lib/tool.bin"}));
        QCOMPARE(QFile::symLinkTarget(m_target + "/bin/run"),
                 QFileInfo(m_target + "/lib/tool.bin").canonicalFilePath());
        QCOMPARE(readAll(m_target + "/lib/here/here/tool.bin"), QByteArray("code"));
    }

    // Each archive starts with a harmless entry: a refusal must come before
    // anything is written, so the whole temporary tree stays as it was.
    // Entries are "name" for a file or "name -> target" for a link.
    void refusesHostileArchives_data()
    {
        QTest::addColumn<QByteArrayList>("entries");
        QTest::addColumn<int>("unixMode");
        QTest::newRow("parent") << QByteArrayList{"../evil"} << 0;
        QTest::newRow("parent after folder") << QByteArrayList{"a/../../evil"} << 0;
        QTest::newRow("absolute") << QByteArrayList{"@OUTSIDE@/evil"} << 0;
        QTest::newRow("backslash parent") << QByteArrayList{"..\\evil"} << 0;
        QTest::newRow("backslash nested") << QByteArrayList{"a\\..\\..\\evil"} << 0;
        QTest::newRow("leading backslash") << QByteArrayList{"\\evil"} << 0;
        QTest::newRow("drive letter") << QByteArrayList{"C:\\evil"} << 0;
        QTest::newRow("link absolute") << QByteArrayList{"etc -> /etc"} << 0;
        QTest::newRow("link escaping") << QByteArrayList{"a/x -> ../../x"} << 0;
        QTest::newRow("link with backslashes") << QByteArrayList{"a/x -> ..\\..\\x"} << 0;
        // Read lexically "a/../evil" stays inside, but "a" leads to the target itself.
        QTest::newRow("link through linked parent") << QByteArrayList{"d/a -> ..", "d/x -> a/../evil"} << 0;
        QTest::newRow("file below a link") << QByteArrayList{"l -> a", "l/evil"} << 0;
        QTest::newRow("device") << QByteArrayList{"dev"} << int(S_IFCHR | 0644);
        // Decoded from legacy code pages first, then checked like any other name.
        QTest::newRow("cp1252 parent") << QByteArrayList{"caf\xe9\\..\\..\\evil"} << 0;
        QTest::newRow("gbk absolute") << QByteArrayList{"@OUTSIDE@/\xb9\xa4\xbe\xdf"} << 0;
        QTest::newRow("cp1252 link escaping") << QByteArrayList{"caf\xe9 -> ../caf\xe9"} << 0;
    }
    void refusesHostileArchives()
    {
        QFETCH(QByteArrayList, entries);
        QFETCH(int, unixMode);
        ZipBuilder zip;
        zip.file("ok.txt", "fine");
        for (QByteArray entry : entries) {
            const QList<QByteArray> parts =
                entry.replace("@OUTSIDE@", QFile::encodeName(m_outside)).split(' ');
            if (parts.size() == 3)
                zip.symlink(parts[0], parts[2]);
            else
                zip.file(entry, "evil");
        }
        QByteArray bytes = zip.bytes();
        ZipBuilder::setUtf8Flags(bytes, false);
        if (unixMode)
            ZipBuilder::setUnixMode(bytes, 1, quint16(unixMode));
        const ExtractResult result = unpack(bytes);
        QVERIFY(!result.ok);
        QCOMPARE(int(result.code), 3);
        QCOMPARE(tree(m_tmp->path()), m_before);
        // Names are quoted as decoded, never as raw legacy bytes.
        QCOMPARE(QString::fromUtf8(result.reason.c_str()).toUtf8(), QByteArray(result.reason.c_str()));
    }

    void neverWritesThroughExistingLink()
    {
        QVERIFY(QDir().mkpath(m_target));
        QVERIFY(QFile::link(m_outside, m_target + "/sub"));
        const ExtractResult result = unpack(ZipBuilder().file("sub/evil", "evil").bytes());
        QCOMPARE(int(result.code), 4);
        QCOMPARE(tree(m_outside), QStringList({"sentinel.txt"}));
    }

    // Names as stored; "flagged" sets or clears the UTF-8 flag of every entry.
    void readsNames_data()
    {
        QTest::addColumn<QByteArrayList>("names");
        QTest::addColumn<bool>("gbk"); // the writer converts the names to GBK
        QTest::addColumn<bool>("flagged");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QStringList>("unpacked"); // empty: refused
        const QByteArrayList chinese{"readme.txt", kChinese};
        const QStringList chineseTree{"readme.txt", "工具", "工具/说明.txt"};
        const QByteArray utf8("C.UTF-8");
        QTest::newRow("utf-8 flagged") << chinese << false << true << utf8 << chineseTree;
        QTest::newRow("utf-8 unflagged") << chinese << false << false << utf8 << chineseTree;
        QTest::newRow("gbk") << chinese << true << false << utf8 << chineseTree;
        QTest::newRow("utf-8 flagged, caller in C locale")
            << chinese << false << true << QByteArray("C") << chineseTree;
        QTest::newRow("gbk, caller in C locale")
            << chinese << true << false << QByteArray("C") << chineseTree;
        QTest::newRow("cp1252") << QByteArrayList{"M\xfcller_caf\xe9.txt"} << false << false << utf8
                                << QStringList{"Müller_café.txt"};
        // Also valid GBK: "M黮ler.txt".
        QTest::newRow("cp1252, gbk alike")
            << QByteArrayList{"M\xfcller.txt"} << false << false << utf8 << QStringList{"Müller.txt"};
        QTest::newRow("utf-8, cp1252 and gbk side by side")
            << QByteArrayList{"Bj\xc3\xb8rn/readme.txt", "caf\xe9.txt", "\xb9\xa4\xbe\xdf.txt"} << false
            << false << utf8 << QStringList{"Bjørn", "Bjørn/readme.txt", "café.txt", "工具.txt"};
        QTest::newRow("flagged, not utf-8")
            << QByteArrayList{"readme.txt", "M\xfcller.txt"} << false << true << utf8 << QStringList();
    }
    void readsNames()
    {
        QFETCH(QByteArrayList, names);
        QFETCH(bool, gbk);
        QFETCH(bool, flagged);
        QFETCH(QByteArray, locale);
        QFETCH(QStringList, unpacked);
        ZipBuilder zip(gbk ? ZipBuilder::Names::Gbk : ZipBuilder::Names::Utf8);
        for (const QByteArray& name : names)
            zip.file(name, name.right(4));
        QByteArray bytes = zip.bytes();
        ZipBuilder::setUtf8Flags(bytes, flagged);
        if (gbk) // the name must really be stored in GBK for the row to mean anything
            QVERIFY(!bytes.contains(kChinese) && bytes.contains("\xb9\xa4\xbe\xdf/"));
        locale_t c = newlocale(LC_ALL_MASK, locale.constData(), nullptr);
        QVERIFY(c);
        const locale_t previous = uselocale(c);
        const ExtractResult result = unpack(bytes);
        uselocale(previous);
        freelocale(c);
        if (unpacked.isEmpty()) {
            QCOMPARE(int(result.code), 3);
            QCOMPARE(tree(m_tmp->path()), m_before);
            return;
        }
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(tree(m_target), unpacked);
        QCOMPARE(readAll(m_target + '/' + unpacked.last()), names.last().right(4));
    }

    void rejectsDamagedPackages_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("foundBeforeWriting");
        for (const char* damage : {"missing", "not a zip", "truncated"})
            QTest::newRow(damage) << QString::fromLatin1(damage) << true;
        // Central directory and local header disagree.
        QTest::newRow("inconsistent size") << "inconsistent size" << true;
        // Consistent headers, wrong data: found only while unpacking.
        QTest::newRow("flipped data byte") << "flipped data byte" << false;
        QTest::newRow("declared size too small") << "declared size too small" << false;
        QTest::newRow("declared size too large") << "declared size too large" << false;
    }
    void rejectsDamagedPackages()
    {
        QFETCH(QString, damage);
        QFETCH(bool, foundBeforeWriting);
        const QByteArray content = "first\n" + QByteArray(5000, 'p');
        QByteArray bytes =
            ZipBuilder(ZipBuilder::Names::Utf8, false).file("a.txt", content).file("b.txt", "b").bytes();
        if (damage == "not a zip")
            bytes = QByteArray(4096, 'z');
        else if (damage == "truncated")
            bytes.chop(bytes.size() / 2);
        else if (damage == "flipped data byte")
            bytes[bytes.indexOf(content) + 3000] = 'q';
        else if (damage.startsWith("declared size"))
            ZipBuilder::setUncompressedSize(bytes, 0, damage.endsWith("small") ? 10 : content.size() + 10);
        else if (damage == "inconsistent size")
            ZipBuilder::setUncompressedSize(bytes, 0, 10, false);
        ExtractResult result;
        if (damage == "missing")
            result = ZipExtractor().extract(QFile::encodeName(m_zip).toStdString(),
                                            QFile::encodeName(m_target).toStdString());
        else
            result = unpack(bytes);
        QVERIFY(!result.ok);
        QCOMPARE(int(result.code), 3);
        QVERIFY(!result.reason.empty());
        if (foundBeforeWriting)
            QVERIFY(!QFile::exists(m_tmp->filePath("out")));
        // Damage found while unpacking may leave earlier entries, but never a damaged file.
        QVERIFY(!QFile::exists(m_target + "/a.txt"));
    }

    void enforcesByteBudget_data()
    {
        QTest::addColumn<quint64>("budget");
        QTest::addColumn<bool>("fits");
        QTest::newRow("exactly the unpacked size") << quint64(3 * 4096) << true;
        QTest::newRow("one byte less") << quint64(3 * 4096 - 1) << false;
    }
    void enforcesByteBudget()
    {
        QFETCH(quint64, budget);
        QFETCH(bool, fits);
        const QByteArray zeros(4096, '\0');
        ZipBuilder zip;
        zip.file("a", zeros).file("b", zeros).file("c", zeros);
        ZipExtractor extractor;
        extractor.setByteBudget(budget);
        const ExtractResult result = unpack(zip.bytes(), extractor);
        QCOMPARE(result.ok, fits);
        if (!fits) {
            QCOMPARE(int(result.code), 3);
            QCOMPARE(tree(m_tmp->path()), m_before);
        }
    }

    void reportsFullDisk_data()
    {
        QTest::addColumn<bool>("firstFits");
        QTest::newRow("first entry") << false;
        QTest::newRow("after an entry that fits") << true;
    }
    void reportsFullDisk()
    {
        QFETCH(bool, firstFits);
        if (geteuid() != 0)
            QSKIP("a full disk is staged on a small tmpfs, and only root may mount one");
        QVERIFY(QDir().mkpath(m_tmp->filePath("disk")));
        const QByteArray disk = QFile::encodeName(m_tmp->filePath("disk"));
        if (mount("tmpfs", disk.constData(), "tmpfs", 0, "size=1m") != 0)
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: ") + strerror(errno)));
        const auto unmount = qScopeGuard([&] { umount2(disk.constData(), MNT_DETACH); });
        m_target = QFile::decodeName(disk) + "/target";
        ZipBuilder zip;
        if (firstFits)
            zip.file("a.bin", QByteArray(600 * 1024, 'a'));
        zip.file("dir/file.bin", QByteArray(firstFits ? 600 * 1024 : 2048 * 1024, 'b'));
        const ExtractResult result = unpack(zip.bytes());
        QCOMPARE(int(result.code), 5);
        QVERIFY2(result.reason.find("\"dir/file.bin\"") != std::string::npos, result.reason.c_str());
        QVERIFY(!QFile::exists(m_target + "/dir/file.bin"));
        QCOMPARE(QFile::exists(m_target + "/a.bin"), firstFits);
    }

    void worksInsideTargetAndReturns()
    {
        QDir::setCurrent(m_tmp->path());
        ZipExtractor extractor;
        extractor.setMayChangeWorkingFolder(true);
        QFile package(m_zip);
        QVERIFY(package.open(QIODevice::WriteOnly));
        package.write(ZipBuilder().dir("./").file("d/f.txt", "rel").symlink("d/l", "f.txt").bytes());
        package.close();
        const ExtractResult result = extractor.extract("pkg.zip", "out/rel");
        QCOMPARE(QDir::currentPath(), QDir(m_tmp->path()).canonicalPath());
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(readAll(m_tmp->filePath("out/rel/d/l")), QByteArray("rel"));
    }

    void cleanup() { QDir::setCurrent(QDir::tempPath()); }
};

QTEST_GUILESS_MAIN(ZipExtractorTest)
#include "tst_zipextractor.moc"
