// Setup.xml: typed reads with their fallbacks, and writes that keep the
// line layout the service reads.
#include "config/configmanager.h"
#include "testfiles.h"

#include <QtTest>
#include <memory>
#include <thread>

using gearmart::ConfigKey;
using gearmart::ConfigManager;

namespace {

using Settings = QVector<QPair<QByteArray, QByteArray>>;

// The layout every writer of Setup.xml produces.
QByteArray setupXml(const Settings& settings, const QByteArray& encoding = "UTF-8")
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n<Setup>\n";
    for (const auto& setting : settings)
        xml += "<" + setting.first + ">\n<Value>" + setting.second + "</Value>\n</" + setting.first + ">\n";
    return xml + "</Setup>\n";
}

const Settings kShipped = {{"Translator", "0"},
                           {"Languages", "1"},
                           {"LogLevel", "1"},
                           {"VersionType", "1"},
                           {"Skin", "0"},
                           {"DownloadPath", ""},
                           {"IsCloseOpenTools", "0"},
                           {"IsNeedUpdate", "0"},
                           {"ChServerAddress", "http://cn.example"},
                           {"EnServerAddress", "http://en.example"},
                           {"Version", "7.7"},
                           {"IsFirstLoading", "1"}};

// What the service does with the file: the line after the first line holding
// "<DownloadPath>", with the Value tags removed.
QByteArray serviceDownloadPath(const QByteArray& file)
{
    const QList<QByteArray> lines = file.split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (lines.at(i).contains("<DownloadPath>"))
            return QByteArray(lines.at(i + 1)).replace("<Value>", "").replace("</Value>", "");
    }
    return "<no DownloadPath line>";
}

} // namespace

class TestConfigManager : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;

    ConfigManager* loadFresh(const QByteArray& content)
    {
        ConfigManager::resetInstanceForTest();
        if (!testfiles::write(m_path, content))
            return nullptr;
        ConfigManager* config = ConfigManager::instance();
        return config->load(m_path) ? config : nullptr;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("Setup.xml"));
    }
    void cleanup() { ConfigManager::resetInstanceForTest(); }

    void loadsEveryKeyInDocumentOrder()
    {
        ConfigManager* config = loadFresh(setupXml(kShipped));
        QVERIFY(config);
        QCOMPARE(config->filePath(), m_path);
        QCOMPARE(int(config->entries().size()), kShipped.size());
        for (int i = 0; i < kShipped.size(); ++i) {
            QCOMPARE(config->entries().at(std::size_t(i))->name(), QString::fromLatin1(kShipped.at(i).first));
            QCOMPARE(config->entries().at(std::size_t(i))->value(),
                     QString::fromLatin1(kShipped.at(i).second));
        }
        QCOMPARE(config->find(ConfigKey::EnServerAddress)->value(), QStringLiteral("http://en.example"));
        QVERIFY(!config->find(ConfigKey::PromptUpgrade));
        QVERIFY(!config->find(ConfigKey::TransferMode));
        QVERIFY(!config->find(static_cast<ConfigKey>(13)));
        QVERIFY(!config->find(static_cast<ConfigKey>(-1)));
        QCOMPARE(gearmart::configKeyName(ConfigKey::IsCloseOpenTools), QStringLiteral("IsCloseOpenTools"));
    }

    void typedReadsFallBack_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<int>("versionType");
        QTest::addColumn<int>("closeFlag");
        QTest::addColumn<int>("needUpdate");
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("prompt");

        const QByteArray cn = "http://cn", en = "http://en";
        QTest::newRow("all missing") << Settings{} << 1 << 0 << 0 << QString() << 0;
        QTest::newRow("minus one") << Settings{{"VersionType", "-1"},
                                               {"IsCloseOpenTools", "-1"},
                                               {"IsNeedUpdate", "-1"},
                                               {"EnServerAddress", en}}
                                   << 1 << 0 << 0 << QStringLiteral("http://en") << 0;
        QTest::newRow("not numbers") << Settings{{"VersionType", "abc"},
                                                 {"IsCloseOpenTools", "x"},
                                                 {"IsNeedUpdate", ""},
                                                 {"PromptUpgrade", "yes"}}
                                     << 0 << 0 << 0 << QString() << 0;
        QTest::newRow("values") << Settings{{"VersionType", "3"},   {"IsCloseOpenTools", "1"},
                                            {"IsNeedUpdate", "1"},  {"PromptUpgrade", "1"},
                                            {"Translator", "1"},    {"ChServerAddress", cn},
                                            {"EnServerAddress", en}}
                                << 3 << 1 << 1 << QStringLiteral("http://cn") << 1;
        QTest::newRow("language 2 is english")
            << Settings{{"Translator", "2"}, {"ChServerAddress", cn}, {"EnServerAddress", en}} << 1 << 0 << 0
            << QStringLiteral("http://en") << 0;
        QTest::newRow("chinese without its address")
            << Settings{{"Translator", "1"}, {"EnServerAddress", en}} << 1 << 0 << 0 << QString() << 0;
        QTest::newRow("first key of a name wins")
            << Settings{{"VersionType", "4"}, {"VersionType", "5"}} << 4 << 0 << 0 << QString() << 0;
    }

    void typedReadsFallBack()
    {
        QFETCH(Settings, settings);
        ConfigManager* config = loadFresh(setupXml(settings));
        QVERIFY(config);
        QTEST(config->versionType(), "versionType");
        QTEST(config->closeOpenToolsFlag(), "closeFlag");
        QTEST(config->needUpdateFlag(), "needUpdate");
        QTEST(config->serverAddress(), "server");
        QTEST(config->promptUpgrade(), "prompt");
    }

    void emptyDocumentGivesFallbacksAndRefusesWrites()
    {
        const QByteArray content = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Setup/>\n";
        ConfigManager* config = loadFresh(content);
        QVERIFY(config);
        QVERIFY(config->entries().empty());
        QCOMPARE(config->language(), 0u);
        QCOMPARE(config->downloadPath(), QString());
        QCOMPARE(config->versionType(), 1);
        QVERIFY(!config->setDownloadPath(QStringLiteral("/x")));
        QVERIFY(!config->set(ConfigKey::PromptUpgrade, QStringLiteral("1")));
        QCOMPARE(testfiles::read(m_path), content);
    }

    void failedLoadLeavesNoEntriesAndKeepsThePath()
    {
        ConfigManager* config = loadFresh(setupXml(kShipped));
        QVERIFY(config);
        const QString broken = m_dir->filePath(QStringLiteral("broken.xml"));
        QVERIFY(testfiles::write(broken, "<Setup><Translator><Value>1</Value></Setup>"));
        QVERIFY(!config->load(broken));
        QVERIFY(config->entries().empty());
        QVERIFY(!config->load(m_dir->filePath(QStringLiteral("missing.xml"))));
        QCOMPARE(config->filePath(), m_path);
    }

    void setRewritesOnlyThatValue_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("plain") << QStringLiteral("/home/u/Download") << QByteArray("/home/u/Download");
        QTest::newRow("chinese and blanks")
            << QStringLiteral("/home/用户/我的 工具") << QStringLiteral("/home/用户/我的 工具").toUtf8();
        QTest::newRow("markup") << QStringLiteral("/srv/Tools & <Games>")
                                << QByteArray("/srv/Tools &amp; &lt;Games&gt;");
        QTest::newRow("emptied") << QString() << QByteArray();
    }

    void setRewritesOnlyThatValue()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, line);
        ConfigManager* config = loadFresh(setupXml(kShipped));
        QVERIFY(config);
        QVERIFY(config->setDownloadPath(QStringLiteral("/before")));
        QVERIFY(config->setDownloadPath(path));
        QCOMPARE(config->downloadPath(), path);

        Settings expected = kShipped;
        expected[5].second = line;
        const QByteArray written = testfiles::read(m_path);
        QCOMPARE(written, setupXml(expected));
        QCOMPARE(serviceDownloadPath(written), line);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Setup.xml")});

        // And the store reads back what it wrote.
        QVERIFY(config->load(m_path));
        QCOMPARE(config->downloadPath(), path);
    }

    void setKeepsChangesMadeByOthers()
    {
        ConfigManager* config = loadFresh(setupXml(kShipped));
        QVERIFY(config);
        // Swapover clears the flag after our load; our next write keeps that.
        Settings onDisk = kShipped;
        onDisk[7].second = "1";
        QVERIFY(testfiles::write(m_path, setupXml(onDisk)));
        QVERIFY(config->setCloseOpenToolsFlag(1));
        onDisk[6].second = "1";
        QCOMPARE(testfiles::read(m_path), setupXml(onDisk));
        QCOMPARE(config->closeOpenToolsFlag(), 1);
    }

    void failedSetLeavesTheFileAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("key");
        QTest::newRow("key not in file") << setupXml(kShipped) << int(ConfigKey::PromptUpgrade);
        QTest::newRow("key out of range") << setupXml(kShipped) << 13;
        QTest::newRow("no Value element")
            << QByteArray("<?xml version=\"1.0\"?>\n<Setup>\n<IsNeedUpdate></IsNeedUpdate>\n</Setup>\n")
            << int(ConfigKey::IsNeedUpdate);
        QTest::newRow("Value holds elements")
            << QByteArray("<Setup><IsNeedUpdate><Value><x/></Value></IsNeedUpdate></Setup>")
            << int(ConfigKey::IsNeedUpdate);
    }

    void failedSetLeavesTheFileAlone()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, key);
        ConfigManager* config = loadFresh(content);
        QVERIFY(config);
        QVERIFY(!config->set(static_cast<ConfigKey>(key), QStringLiteral("1")));
        QCOMPARE(testfiles::read(m_path), content);
        QVERIFY(!config->find(ConfigKey::PromptUpgrade));
    }

    void transferModeIsAppendedWhenMissingAndRewrittenInPlace()
    {
        ConfigManager* config = loadFresh(setupXml(kShipped));
        QVERIFY(config);
        QCOMPARE(config->transferMode(), 0);
        QVERIFY(config->setTransferMode(1));
        Settings expected = kShipped;
        expected.append(qMakePair(QByteArray("TransferMode"), QByteArray("1")));
        QCOMPARE(testfiles::read(m_path), setupXml(expected));
        QCOMPARE(config->transferMode(), 1);
        QVERIFY(config->setTransferMode(0));
        expected.last().second = "0";
        QCOMPARE(testfiles::read(m_path), setupXml(expected));
        QCOMPARE(int(config->entries().size()), expected.size());

        // Only "1" means fast: other texts read as the classic mode.
        QCOMPARE(loadFresh(setupXml({{"TransferMode", "2"}}))->transferMode(), 0);
        QCOMPARE(loadFresh(setupXml({{"TransferMode", "1"}}))->transferMode(), 1);
        const QByteArray broken("<Setup><TransferMode><Value><x/></Value></TransferMode></Setup>");
        config = loadFresh(broken);
        QVERIFY(!config->setTransferMode(1));
        QCOMPARE(testfiles::read(m_path), broken);
    }

    void setFailsWhenTheFileIsGone()
    {
        ConfigManager* config = loadFresh(setupXml(kShipped));
        QVERIFY(config);
        QVERIFY(testfiles::write(m_path, "<Setup><IsNeedUpdate>"));
        QVERIFY(!config->setNeedUpdateFlag(1));
        QCOMPARE(testfiles::read(m_path), QByteArray("<Setup><IsNeedUpdate>"));
        QVERIFY(QFile::remove(m_path));
        QVERIFY(!config->setNeedUpdateFlag(1));
        QVERIFY(!QFileInfo::exists(m_path));
    }

    void setBeforeAnyLoadFails()
    {
        ConfigManager::resetInstanceForTest();
        QVERIFY(!ConfigManager::instance()->setDownloadPath(QStringLiteral("/x")));
    }

    void readsOtherEncodingsAndWritesUtf8()
    {
        QTextCodec* gb2312 = QTextCodec::codecForName("GB2312");
        QVERIFY(gb2312);
        const QByteArray path = gb2312->fromUnicode(QStringLiteral("D:/工具箱"));
        ConfigManager* config =
            loadFresh(setupXml({{"DownloadPath", path}, {"IsNeedUpdate", "1"}}, "GB2312"));
        QVERIFY(config);
        QCOMPARE(config->downloadPath(), QStringLiteral("D:/工具箱"));
        QVERIFY(config->setNeedUpdateFlag(0));
        // Rewritten as UTF-8, declared so, with the Chinese intact.
        QCOMPARE(testfiles::read(m_path),
                 setupXml({{"DownloadPath", QStringLiteral("D:/工具箱").toUtf8()}, {"IsNeedUpdate", "0"}}));
    }

    void oneInstanceEvenWhenFirstUsedConcurrently()
    {
        ConfigManager::resetInstanceForTest();
        std::vector<ConfigManager*> seen(8, nullptr);
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < seen.size(); ++i)
            threads.emplace_back([&seen, i] { seen[i] = ConfigManager::instance(); });
        for (auto& thread : threads)
            thread.join();
        for (ConfigManager* instance : seen)
            QCOMPARE(instance, ConfigManager::instance());
    }
};

QTEST_GUILESS_MAIN(TestConfigManager)
#include "tst_configmanager.moc"
