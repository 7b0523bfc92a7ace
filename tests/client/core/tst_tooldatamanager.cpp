// Catalog and states: start-up load and merge, the files written, texts and
// addresses, and the uninstall registry, on fixture files in a temporary
// installation.
#include "config/configmanager.h"
#include "testfiles.h"
#include "tooldata/tooldatamanager.h"
#include "tooldata/toolproductguids.h"

#include <QtTest>
#include <memory>

using gearmart::ToolDataManager;
using gearmart::ToolProductGuids;
using gearmart::ToolState;

namespace {

struct CatalogTool
{
    int key;
    QByteArray version;
    QByteArray exeName = "Tool.exe";
};

QByteArray catalogXml(const QVector<CatalogTool>& tools)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ToolsInfoList>\n";
    for (const CatalogTool& tool : tools) {
        const QByteArray key = QByteArray::number(tool.key);
        xml += "<Tool" + key + ">\n<ToolKey>" + key + "</ToolKey>\n<Version>" + tool.version +
               "</Version>\n<ExeName>" + tool.exeName + "</ExeName>\n<ToolCHName>工具" + key +
               "</ToolCHName>\n<ToolENName>Tool " + key + "</ToolENName>\n<DownloadCHUrl>tools/zh/T" + key +
               ".zip</DownloadCHUrl>\n<DownloadENUrl>tools/en/T" + key + ".zip</DownloadENUrl>\n</Tool" +
               key + ">\n";
    }
    return xml + "</ToolsInfoList>\n";
}

struct StateRow
{
    int key;
    QByteArray version;
    int isDownload, isNew, needUpdate, order;
};

// The state list exactly as the client writes it.
QByteArray stateXml(const QVector<StateRow>& rows)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tools>\n";
    for (const StateRow& row : rows) {
        xml += "<State>\n<ToolKey>" + QByteArray::number(row.key) + "</ToolKey>\n<CurrentVersion>" +
               row.version + "</CurrentVersion>\n<IsDownload>" + QByteArray::number(row.isDownload) +
               "</IsDownload>\n<IsNewTools>" + QByteArray::number(row.isNew) +
               "</IsNewTools>\n<IsNeedUpdate>" + QByteArray::number(row.needUpdate) +
               "</IsNeedUpdate>\n<ListOrder>" + QByteArray::number(row.order) + "</ListOrder>\n</State>\n";
    }
    return xml + "</Tools>\n";
}

QString uninstallKey(int key)
{
    return QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") +
           ToolProductGuids::guid(key);
}

} // namespace

class TestToolDataManager : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_base;

    QString path(const char* relative) const { return m_base + QLatin1String(relative); }
    platform::Registry registry() const { return platform::Registry(path("/registry")); }

    ToolDataManager* makeManager(int language = 0, const QByteArray& downloadPath = "/dl")
    {
        const QByteArray setup =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Setup>\n"
            "<Translator>\n<Value>" +
            QByteArray::number(language) +
            "</Value>\n</Translator>\n"
            "<DownloadPath>\n<Value>" +
            downloadPath +
            "</Value>\n</DownloadPath>\n"
            "<ChServerAddress>\n<Value>http://cn.example/cloud</Value>\n</ChServerAddress>\n"
            "<EnServerAddress>\n<Value>http://en.example</Value>\n</EnServerAddress>\n"
            "</Setup>\n";
        if (!testfiles::write(path("/Setup.xml"), setup))
            return nullptr;
        gearmart::ConfigManager::resetInstanceForTest();
        if (!gearmart::ConfigManager::instance()->load(path("/Setup.xml")))
            return nullptr;
        ToolDataManager::resetInstanceForTest();
        ToolDataManager* manager = ToolDataManager::instance();
        manager->setBaseDirectoryForTest(m_base);
        manager->setRegistryForTest(registry());
        return manager;
    }

    ToolDataManager* loaded(const QVector<CatalogTool>& catalog, const QVector<StateRow>& states,
                            int language = 0)
    {
        if (!testfiles::write(path("/ToolsFile/ToolsInfoList.xml"), catalogXml(catalog)) ||
            !testfiles::write(path("/ToolsStateList.xml"), stateXml(states)))
            return nullptr;
        ToolDataManager* manager = makeManager(language);
        return manager && manager->loadAll() ? manager : nullptr;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_base = m_dir->path();
    }

    void cleanup()
    {
        ToolDataManager::resetInstanceForTest();
        gearmart::ConfigManager::resetInstanceForTest();
    }

    void mergeFollowsCatalogAndRegistry()
    {
        const QString installed = path("/dl/SubTools/Two");
        QVERIFY(QDir().mkpath(installed));
        QVERIFY(registry().setValues(uninstallKey(2),
                                     {{QStringLiteral("DisplayVersion"), QStringLiteral("1.0.0.9")},
                                      {QStringLiteral("InstallLocation"), installed}}));
        QVERIFY(registry().setValues(uninstallKey(3),
                                     {{QStringLiteral("DisplayVersion"), QStringLiteral("9.0.0.0")},
                                      {QStringLiteral("InstallLocation"), path("/gone")}}));

        ToolDataManager* manager = loaded({{0, "1.0.0.2"},
                                           {1, "1.1.0.6"},
                                           {2, "1.0.0.10"},
                                           {3, "1.0.0.11"},
                                           {4, "2.0.0.0"},
                                           {5, "1.0.0.0"},
                                           {8, "1.0.0.5"}},
                                          {{0, "1.0.0.1", 1, 0, 0, 0},
                                           {1, "1.1.0.5", 0, 0, 1, 0},
                                           {2, "0.0.0.1", 0, 1, 0, 3},
                                           {3, "1.0.10", 1, 0, 1, 2},
                                           {5, "2.0.0.0", 0, 0, 1, 1},
                                           {8, "1.0.0.4", 0, 0, 0, 4},
                                           {99, "1.0.0.0", 1, 0, 0, 5}});
        QVERIFY(manager);

        const QByteArray expected = stateXml({
            {0, "1.0.0.2", 0, 0, 0, 0}, // not installed: takes the new version quietly
            {1, "1.1.0.5", 0, 0, 1, 0}, // the main program keeps its version and flag
            {2, "1.0.0.9", 1, 1, 1, 3}, // installed, numerically older: needs the update
            {3, "1.0.10", 0, 0, 0, 2},  // location gone, three-part version never older
            {4, "2.0.0.0", 0, 1, 0, 0}, // new in the catalog
            {5, "2.0.0.0", 0, 0, 0, 1}, // newer than the catalog
            {8, "1.0.0.5", 0, 0, 0, 4}, // no registry presence
        });
        QCOMPARE(testfiles::read(path("/ToolsStateList.xml")), expected);

        QCOMPARE(manager->toolStates().keys(), (QList<int>{0, 1, 2, 3, 4, 5, 8}));
        const ToolState two = manager->toolStates().value(2);
        QVERIFY(two.IsInstalledByInstaller);
        QCOMPARE(two.InstallLocation, installed);
        QVERIFY(!manager->toolStates().value(3).IsInstalledByInstaller);
        QCOMPARE(manager->toolStates().value(3).InstallLocation, QString());
        QCOMPARE(manager->managerNeedsUpdate(), 1);
        QCOMPARE(manager->materialCurrentVersion(), QStringLiteral("1.0.0.2"));
    }

    void installedToolKeepsItsVersionWhenCurrent()
    {
        const QString installed = path("/opt/Tool 二");
        QVERIFY(QDir().mkpath(installed));
        QVERIFY(registry().setValues(uninstallKey(2),
                                     {{QStringLiteral("DisplayVersion"), QStringLiteral("1.0.0.10")},
                                      {QStringLiteral("InstallLocation"), installed}}));
        ToolDataManager* manager = loaded({{2, "1.0.0.9"}}, {{2, "1.0.0.1", 0, 0, 1, 0}});
        QVERIFY(manager);
        QCOMPARE(testfiles::read(path("/ToolsStateList.xml")), stateXml({{2, "1.0.0.10", 1, 0, 0, 0}}));
    }

    void readsEveryCatalogField()
    {
        QVERIFY(testfiles::write(
            path("/ToolsFile/ToolsInfoList.xml"),
            "<?xml version=\"1.0\" "
            "encoding=\"UTF-8\"?>\n<List>\n<A>\n<ToolKey>7</ToolKey>\n<ToolType>3</ToolType>\n"
            "<ToolCHName>名称</ToolCHName>\n<ToolENName>Name</ToolENName>\n<Version>1.2.3.4</Version>\n"
            "<IconMinName>s.png</IconMinName>\n<IconMidName>m.png</IconMidName>\n<IconMaxName>l.png</"
            "IconMaxName>\n"
            "<BriefCHIntro>简介</BriefCHIntro>\n<BriefENIntro>Brief</BriefENIntro>\n"
            "<UpdateCHIntro>更新</UpdateCHIntro>\n<UpdateENIntro>Update</UpdateENIntro>\n"
            "<ExeName>Tool_x64.exe</ExeName>\n<updateDate>2024-01-02</updateDate>\n<ToolSize>12.5</"
            "ToolSize>\n"
            "<IsDown>1</IsDown>\n<DetailImagesNum>4</DetailImagesNum>\n<DownloadCHUrl>zh/a.zip</"
            "DownloadCHUrl>\n"
            "<DownloadENUrl>en/a.zip</DownloadENUrl>\n</A>\n"
            "<B><ToolKey>9</ToolKey><Version>1.0.0.0</Version></B>\n"
            "<C><Version>no key</Version></C>\n"
            "<D><ToolKey>9</ToolKey><Version>2.0.0.0</Version></D>\n</List>\n"));
        QVERIFY(testfiles::write(path("/ToolsStateList.xml"), stateXml({})));
        ToolDataManager* manager = makeManager(1);
        QVERIFY(manager);
        QVERIFY(manager->loadAll());

        QCOMPARE(manager->toolInfos().keys(), (QList<int>{7, 9}));
        const gearmart::ToolInfo info = manager->toolInfos().value(7);
        QCOMPARE(info.ToolKey, 7);
        QCOMPARE(info.ToolType, 3);
        QCOMPARE(info.ToolCHName, QStringLiteral("名称"));
        QCOMPARE(info.ToolENName, QStringLiteral("Name"));
        QCOMPARE(info.Version, QStringLiteral("1.2.3.4"));
        QCOMPARE(info.IconMinName + info.IconMidName + info.IconMaxName, QStringLiteral("s.pngm.pngl.png"));
        QCOMPARE(info.BriefCHIntro + info.BriefENIntro, QStringLiteral("简介Brief"));
        QCOMPARE(info.UpdateCHIntro + info.UpdateENIntro, QStringLiteral("更新Update"));
        QCOMPARE(info.ExeName, QStringLiteral("Tool_x64.exe"));
        QCOMPARE(info.updateDate, QStringLiteral("2024-01-02"));
        QCOMPARE(info.ToolSize, 12.5f);
        QCOMPARE(info.IsDown, 1);
        QCOMPARE(info.DetailImagesNum, 4);
        QCOMPARE(info.DownloadCHUrl + info.DownloadENUrl, QStringLiteral("zh/a.zipen/a.zip"));

        const gearmart::ToolInfo later = manager->toolInfos().value(9);
        QCOMPARE(later.Version, QStringLiteral("2.0.0.0"));
        QCOMPARE(later.ToolCHName, QString());
        QCOMPARE(later.ToolSize, 0.0f);
        QCOMPARE(manager->exeBaseName(7), QStringLiteral("Tool_x64"));
        QCOMPARE(manager->exeBaseName(9), QString());
        QCOMPARE(manager->exeBaseName(42), QString());
    }

    void stagedMaterialIsTakenOver()
    {
        QVERIFY(testfiles::write(path("/ToolsFile/ToolsInfoList.xml"), catalogXml({{2, "1.0.0.0"}})));
        QVERIFY(testfiles::write(path("/ToolsFile/Icon/old.png"), "old icon"));
        QVERIFY(
            testfiles::write(path("/ToolsFileTemp/ToolsInfoList.xml"),
                             catalogXml({{0, "1.0.0.2"}, {1, "1.1.0.5"}, {2, "1.0.0.1"}, {3, "1.0.0.0"}})));
        QVERIFY(testfiles::write(path("/ToolsFileTemp/Icon/new.png"), "new icon"));
        QVERIFY(testfiles::write(path("/ToolsStateList.xml"), stateXml({{2, "1.0.0.0", 0, 0, 0, 0}})));
        ToolDataManager* manager = makeManager();
        QVERIFY(manager);
        QVERIFY(manager->loadAll());
        QVERIFY(!QFileInfo::exists(path("/ToolsFileTemp")));
        QCOMPARE(manager->toolInfos().keys(), (QList<int>{0, 1, 2, 3}));
        QCOMPARE(manager->toolInfos().value(2).Version, QStringLiteral("1.0.0.1"));
        QCOMPARE(testfiles::read(path("/ToolsFile/Icon/new.png")), QByteArray("new icon"));
        QCOMPARE(testfiles::read(path("/ToolsFile/Icon/old.png")), QByteArray("old icon"));
    }

    void downloadAddresses_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("address");
        QTest::newRow("material zh")
            << 1 << 0
            << "http://cn.example/cloud//4200/tool/windows/material/v1.0.0.3/standard/zh/"
               "Material.zip";
        QTest::newRow("material en") << 0 << 0
                                     << "http://en.example//4200/tool/windows/material/v1.0.0.3/standard/en/"
                                        "Material.zip";
        QTest::newRow("manager zh")
            << 1 << 1
            << "http://cn.example/cloud//4200/tool/windows/gearloft/v1.1.0.7/standard/zh/"
               "Gearloft.zip";
        QTest::newRow("manager en") << 0 << 1
                                    << "http://en.example//4200/tool/windows/gearloft/v1.1.0.7/standard/en/"
                                       "Gearloft.zip";
        QTest::newRow("tool zh") << 1 << 2 << "http://cn.example/cloud/tools/zh/T2.zip";
        QTest::newRow("tool en") << 0 << 2 << "http://en.example/tools/en/T2.zip";
        QTest::newRow("not in catalog") << 1 << 5 << QString();
    }

    void downloadAddresses()
    {
        QFETCH(int, language);
        QFETCH(int, key);
        ToolDataManager* manager = loaded({{0, "1.0.0.1"}, {1, "1.1.0.5"}, {2, "1.0.0.0"}}, {}, language);
        QVERIFY(manager);
        manager->setMaterialVersion(QStringLiteral("1.0.0.3"));
        manager->setManagerVersion(QStringLiteral("1.1.0.7"));
        QTEST(manager->downloadAddress(key), "address");
    }

    void textsFollowTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("name");
        QTest::newRow("chinese") << 1 << QStringLiteral("工具2");
        QTest::newRow("english") << 0 << QStringLiteral("Tool 2");
        QTest::newRow("other") << 2 << QString();
    }

    void textsFollowTheLanguage()
    {
        QFETCH(int, language);
        ToolDataManager* manager = loaded({{2, "1.0.0.0"}}, {}, language);
        QVERIFY(manager);
        QTEST(manager->toolName(2), "name");
        QCOMPARE(manager->toolName(3), QString());
    }

    void versionChangesAreSaved()
    {
        ToolDataManager* manager = loaded({{2, "1.0.0.0"}}, {});
        QVERIFY(manager);
        QCOMPARE(manager->managerNeedsUpdate(), 0);
        QVERIFY(manager->setCurrentVersion(2, QStringLiteral("1.0.0.4")));
        // A state made here carries its own key, not the "no key" default.
        QVERIFY(manager->setCurrentVersion(6, QStringLiteral("3.0.0.0")));
        QCOMPARE(manager->toolStates().value(6).ToolKey, 6);
        manager->setListOrder(2, 5);
        QCOMPARE(testfiles::read(path("/ToolsStateList.xml")),
                 stateXml({{2, "1.0.0.4", 0, 1, 0, 0}, {6, "3.0.0.0", 0, 0, 0, 0}}));
        QVERIFY(manager->saveStateList());
        QCOMPARE(testfiles::read(path("/ToolsStateList.xml")),
                 stateXml({{2, "1.0.0.4", 0, 1, 0, 5}, {6, "3.0.0.0", 0, 0, 0, 0}}));
        QCOMPARE(QDir(m_base).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("Setup.xml"), QStringLiteral("ToolsStateList.xml")}));
    }

    // ToolsLocalInfo.xml is the user's and the client's: anything odd in it
    // costs the skip or the way back, never the start.
    void localInfoIsReadWithCare_data()
    {
        const QByteArray sound =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tools>\n<Tool>\n"
            "<ToolKey>2</ToolKey>\n<InstalledAt>2026-12-01T08:00:00Z</InstalledAt>\n"
            "<PreviousVersion>1.0.0.1</PreviousVersion>\n<SkippedVersion>1.0.0.5</SkippedVersion>\n"
            "<PreviousEntry>Two</PreviousEntry>\n<PreviousEntry>TwoData</PreviousEntry>\n"
            "</Tool>\n</Tools>\n";
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("viaLink");
        QTest::addColumn<bool>("skipped");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("sound") << sound << false << true << QStringList{"Two", "TwoData"};
        QTest::newRow("absent") << QByteArray() << false << false << QStringList();
        QTest::newRow("catalog moved on") << QByteArray(sound).replace("1.0.0.5", "1.0.0.4") << false << false
                                          << QStringList{"Two", "TwoData"};
        QTest::newRow("an entry out of the folder")
            << QByteArray(sound).replace(">TwoData<", ">../TwoData<") << false << true << QStringList();
        QTest::newRow("damaged") << QByteArray(sound).left(90) << false << false << QStringList();
        QTest::newRow("too large") << sound + QByteArray(3 * 1024 * 1024, ' ') << false << false
                                   << QStringList();
        QTest::newRow("a link") << sound << true << false << QStringList();
    }

    void localInfoIsReadWithCare()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, viaLink);
        QFETCH(bool, skipped);
        QFETCH(QStringList, entries);
        const QString target = path("/ToolsLocalInfo.xml");
        if (viaLink) {
            QVERIFY(testfiles::write(path("/elsewhere.xml"), file));
            QVERIFY(QFile::link(path("/elsewhere.xml"), target));
        } else if (!file.isEmpty()) {
            QVERIFY(testfiles::write(target, file));
        }
        ToolDataManager* manager = loaded({{2, "1.0.0.5"}}, {{2, "1.0.0.1", 0, 0, 0, 0}});
        QVERIFY(manager);
        QCOMPARE(manager->isUpdateSkipped(2), skipped);
        QCOMPARE(manager->localInfo(2).previousEntries, entries);
        if (QTest::currentDataTag() == QByteArray("sound"))
            QCOMPARE(manager->localInfo(2).installedAt, QDateTime(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC));
        // A skip the catalog has passed is gone from the file too.
        if (QTest::currentDataTag() == QByteArray("catalog moved on"))
            QVERIFY(!testfiles::read(target).contains("SkippedVersion"));

        // What is recorded next replaces whatever was there, a link included.
        manager->toolStates()[2].CurrentVersion = QStringLiteral("1.0.0.5");
        manager->recordInstall(2, QStringLiteral("1.0.0.1"), {QStringLiteral("Two")});
        QVERIFY(!QFileInfo(target).isSymLink());
        if (viaLink)
            QCOMPARE(testfiles::read(path("/elsewhere.xml")), file);
        QVERIFY(!manager->isUpdateSkipped(2));
        QVERIFY(makeManager() && ToolDataManager::instance()->loadAll());
        QCOMPARE(ToolDataManager::instance()->localInfo(2).previousEntries, QStringList{"Two"});
        QCOMPARE(ToolDataManager::instance()->localInfo(2).previousVersion, QStringLiteral("1.0.0.1"));
    }

    void registersToolsTheClientInstalled()
    {
        ToolDataManager* manager = loaded({{2, "1.0.0.0", "Two Tool.exe"}, {8, "1.0.0.0"}}, {});
        QVERIFY(manager);
        QVERIFY(!manager->installedCheck(2).IsInstalled);

        manager->toolStates()[2].CurrentVersion = QStringLiteral("1.0.0.6");
        manager->registerTool(2);
        const QString key = uninstallKey(2);
        QCOMPARE(registry().value(key, QStringLiteral("DisplayVersion")), QStringLiteral("1.0.0.6"));
        QCOMPARE(registry().value(key, QStringLiteral("InstallLocation")),
                 QStringLiteral("/dl/SubTools/Two Tool"));
        QCOMPARE(registry().value(key, QStringLiteral("ProductGuid")), ToolProductGuids::guid(2));
        // Registered but its folder does not exist: not installed.
        QVERIFY(!manager->installedCheck(2).IsInstalled);

        const QString folder = path("/opt/two");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(registry().setValue(key, QStringLiteral("InstallLocation"), folder));
        const gearmart::InstallInfo info = manager->installedCheck(2);
        QVERIFY(info.IsInstalled);
        QCOMPARE(info.InstallLocation, folder);
        QCOMPARE(info.DisplayVersion, QStringLiteral("1.0.0.6"));

        // A tool its own installer registered keeps that installer's location.
        manager->toolStates()[2].IsInstalledByInstaller = true;
        manager->toolStates()[2].CurrentVersion = QStringLiteral("1.0.0.7");
        manager->registerTool(2);
        QCOMPARE(registry().value(key, QStringLiteral("InstallLocation")), folder);
        QCOMPARE(registry().value(key, QStringLiteral("DisplayVersion")), QStringLiteral("1.0.0.7"));

        manager->unregisterTool(2);
        QVERIFY(!registry().holdsValues(key));
        QVERIFY(!manager->installedCheck(2).IsInstalled);

        // Keys without a product GUID never reach the registry.
        manager->registerTool(8);
        manager->registerTool(0);
        QVERIFY(!QFileInfo::exists(path("/registry")) ||
                testfiles::listTree(path("/registry")).filter(QStringLiteral(".ini")).isEmpty());
    }

    void incompleteRegistryEntriesAreNotInstalls_data()
    {
        QTest::addColumn<bool>("withVersion");
        QTest::addColumn<bool>("withLocation");
        QTest::newRow("no version") << false << true;
        QTest::newRow("no location") << true << false;
    }

    void incompleteRegistryEntriesAreNotInstalls()
    {
        QFETCH(bool, withVersion);
        QFETCH(bool, withLocation);
        ToolDataManager* manager = makeManager();
        QVERIFY(manager);
        if (withVersion)
            QVERIFY(registry().setValue(uninstallKey(4), QStringLiteral("DisplayVersion"),
                                        QStringLiteral("1.0.0.0")));
        if (withLocation)
            QVERIFY(registry().setValue(uninstallKey(4), QStringLiteral("InstallLocation"), m_base));
        const gearmart::InstallInfo info = manager->installedCheck(4);
        QVERIFY(!info.IsInstalled);
        QCOMPARE(info.InstallLocation, QString());
        QCOMPARE(info.DisplayVersion, QString());
    }

    void productGuidsHaveTheirShape()
    {
        const QList<int> keys = ToolProductGuids::keys();
        QCOMPARE(keys, (QList<int>{1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14}));
        const QRegularExpression shape(
            QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
        QSet<QString> seen;
        for (int key : keys) {
            const QString guid = ToolProductGuids::guid(key);
            QVERIFY2(shape.match(guid).hasMatch(), qPrintable(guid));
            seen.insert(guid);
        }
        QCOMPARE(seen.size(), keys.size());
        QCOMPARE(ToolProductGuids::guid(0), QString());
        QCOMPARE(ToolProductGuids::guid(8), QString());
        QCOMPARE(ToolProductGuids::guid(15), QString());
    }

    void versionLess_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("less");
        QTest::newRow("numeric not textual") << "1.0.0.9"
                                             << "1.0.0.10" << true;
        QTest::newRow("reverse") << "1.0.0.10"
                                 << "1.0.0.9" << false;
        QTest::newRow("equal") << "1.2.3.4"
                               << "1.2.3.4" << false;
        QTest::newRow("first part decides") << "1.9.9.9"
                                            << "2.0.0.0" << true;
        QTest::newRow("three parts") << "1.0.10"
                                     << "1.0.0.11" << false;
        QTest::newRow("three parts other side") << "1.0.0.1"
                                                << "1.0.2" << false;
        QTest::newRow("five parts") << "1.0.0.0.1"
                                    << "1.0.0.1" << false;
        QTest::newRow("empty part is zero") << "1..0.0"
                                            << "1.1.0.0" << true;
        QTest::newRow("text part is zero") << "1.x.0.0"
                                           << "1.0.0.1" << true;
        QTest::newRow("empty") << ""
                               << "1.0.0.0" << false;
        QTest::newRow("leading zeros") << "1.0.0.09"
                                       << "1.0.0.10" << true;
        QTest::newRow("big numbers") << "1.0.0.4294967296"
                                     << "1.0.0.4294967297" << true;
    }

    void versionLess()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QTEST(ToolDataManager::versionLess(a, b), "less");
    }
};

QTEST_GUILESS_MAIN(TestToolDataManager)
#include "tst_tooldatamanager.moc"
