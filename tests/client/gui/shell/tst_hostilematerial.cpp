// Hostile or damaged material, state list and settings at start-up, through
// the start-up steps in process: the start goes on, what was refused is
// logged with its file and told in one tip, and a good catalog is kept.
#include "clientinstallation.h"
#include "common/picturecache.h"
#include "config/configmanager.h"
#include "shell/startuploader.h"
#include "testfiles.h"
#include "tooldata/cataloglimits.h"
#include "tooldata/tooldatamanager.h"
#include "tooldata/toolproductguids.h"
#include "tooldata/toolregistry.h"
#include "widgets/tipdialog.h"

#include <QtTest>

using namespace gearmart;

namespace {

using testfiles::read;
using testfiles::write;

// Material at materialVersion, the main program and tools 2..; fields put in
// front of tool 2's own win, as the first of a name does.
QByteArray catalog(const QByteArray& materialVersion, int tools = 2, const QByteArray& toolTwoFirst = {},
                   bool withManager = true)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tools>\n";
    for (int key = withManager ? 0 : 2; key < 2 + tools; ++key) {
        const QByteArray k = QByteArray::number(key);
        xml += "<Tool>" + (key == 2 ? toolTwoFirst : QByteArray()) + "<ToolKey>" + k + "</ToolKey><Version>" +
               (key == 0 ? materialVersion : "1.0.0." + k) + "</Version><ToolENName>Tool" + k +
               "</ToolENName><ExeName>Tool" + k + ".exe</ExeName><IconMidName>t" + k +
               ".png</IconMidName></Tool>\n";
    }
    if (!withManager)
        xml.replace("<Tools>\n",
                    "<Tools>\n<Tool><ToolKey>0</ToolKey><Version>" + materialVersion + "</Version></Tool>\n");
    return xml + "</Tools>\n";
}

QByteArray bigEndian(quint32 value)
{
    return QByteArray(1, char(value >> 24)) + char(value >> 16) + char(value >> 8) + char(value);
}

QByteArray pngChunk(const QByteArray& type, const QByteArray& data)
{
    quint32 crc = 0xffffffffu;
    for (const char c : QByteArray(type + data)) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return bigEndian(quint32(data.size())) + type + data + bigEndian(~crc);
}

// A few dozen bytes that announce a picture of width x height.
QByteArray pngHeader(quint32 width, quint32 height)
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8) +
           pngChunk("IHDR", bigEndian(width) + bigEndian(height) + QByteArray("\x08\x06\0\0\0", 5)) +
           pngChunk("IDAT", {}) + pngChunk("IEND", {});
}

} // namespace

class TestHostileMaterial : public QObject
{
    Q_OBJECT

    std::unique_ptr<clienttest::ClientInstallation> m_install;

    QString path(const char* relative) const { return m_install->filePath(QLatin1String(relative)); }

private slots:
    void init()
    {
        TipDialog::resetForTesting();
        PictureCache::instance().clear();
        ConfigManager::resetInstanceForTest();
        ToolDataManager::resetInstanceForTest();
        m_install = std::make_unique<clienttest::ClientInstallation>();
        m_install->writeSetup({{QStringLiteral("EnServerAddress"), QStringLiteral("http://shipped")}});
        QVERIFY(write(path("ToolsFile/ToolsInfoList.xml"), catalog("1.0.0.1")));
        m_install->writeDefaults();
        m_install->writeSetup();
        QVERIFY(write(path("ToolsFile/ToolsInfoList.xml"), catalog("1.0.0.5")));
        // A newer material was downloaded; tool 2 is installed.
        m_install->writeStateList(
            "<Tools><State><ToolKey>0</ToolKey><CurrentVersion>1.0.0.9</CurrentVersion>"
            "</State><State><ToolKey>2</ToolKey><ListOrder>3</ListOrder></State></Tools>");
        QVERIFY(QDir().mkpath(path("Download/SubTools/Tool2")));
        platform::Registry(path("registry"))
            .setValues(ToolRegistry::keyPath(ToolProductGuids::guid(2)),
                       {{QStringLiteral("DisplayVersion"), QStringLiteral("1.0.0.2")},
                        {QStringLiteral("InstallLocation"), path("Download/SubTools/Tool2")}});
    }

    void startGoesOnAndSaysWhy_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("notice");           // told to the user; empty: nothing
        QTest::addColumn<QString>("log");              // the warning naming file and cause, a pattern
        QTest::addColumn<QByteArray>("materialInUse"); // catalog version afterwards; empty: no catalog
        QTest::addColumn<QByteArray>("materialState"); // key 0's recorded version afterwards

        const QString restored = QStringLiteral("The tool list was damaged; the installed one was restored.");
        const QString refused = QStringLiteral("The downloaded tool list was damaged and was not used.");
        auto broken = [&](const char* row, const char* cause) {
            QTest::newRow(row) << row << restored
                               << "ToolsFile/ToolsInfoList\\.xml: .*" +
                                      QRegularExpression::escape(QLatin1String(cause))
                               << QByteArray("1.0.0.1") << QByteArray("1.0.0.1");
        };
        broken("missing", "missing");
        broken("empty", "Premature end of document");
        broken("truncated", "not well-formed");
        broken("invalid bytes", "bytes that are not valid UTF-8");
        broken("entities", "has a document type declaration");
        broken("deep nesting", "nested deeper than 3 levels");
        broken("too many tools", "20002 tools, more than 2000");
        broken("long text", "tool 2: BriefENIntro is 8193 characters long");
        broken("huge text", "bytes, more than 8388608");
        broken("path in a name", "tool 2: IconMidName \"../../escape.png\" is not a plain file name");
        QTest::newRow("1,000 honest tools")
            << "honest" << QString() << QString() << QByteArray("1.0.0.5") << QByteArray("1.0.0.9");
        QTest::newRow("utf-16 with its mark")
            << "utf-16" << QString() << QString() << QByteArray("1.0.0.5") << QByteArray("1.0.0.9");
        QTest::newRow("staged broken, current good")
            << "staged broken" << refused << "ToolsFileTemp/ToolsInfoList\\.xml: nested deeper"
            << QByteArray("1.0.0.5") << QByteArray("1.0.0.5");
        QTest::newRow("staged without the main program")
            << "staged without manager" << refused << "ToolsFileTemp/ToolsInfoList\\.xml: no entry"
            << QByteArray("1.0.0.5") << QByteArray("1.0.0.5");
        QTest::newRow("staged sound, its links skipped")
            << "staged sound" << QString() << QString() << QByteArray("1.0.0.9") << QByteArray("1.0.0.9");
        QTest::newRow("swap cut between its renames")
            << "swap cut" << QString() << "ToolsFile was missing after an interrupted swap"
            << QByteArray("1.0.0.7") << QByteArray("1.0.0.9");
        QTest::newRow("current and shipped broken")
            << "all broken" << QStringLiteral("No usable tool list was found; the list is empty.")
            << "defaults/ToolsFile/ToolsInfoList\\.xml: missing" << QByteArray() << QByteArray();
        QTest::newRow("state list missing")
            << "no states" << QStringLiteral("The record of installed tools was rebuilt.")
            << "ToolsStateList\\.xml: missing" << QByteArray("1.0.0.5") << QByteArray("1.0.0.5");
        QTest::newRow("state list damaged")
            << "broken states" << QStringLiteral("The record of installed tools was rebuilt.")
            << "ToolsStateList\\.xml: not well-formed" << QByteArray("1.0.0.5") << QByteArray("1.0.0.5");
        QTest::newRow("settings damaged")
            << "broken settings"
            << QStringLiteral("The settings were missing or damaged and have been reset.")
            << "Setup\\.xml: not well-formed" << QByteArray("1.0.0.5") << QByteArray("1.0.0.9");
        QTest::newRow("settings missing")
            << "no settings" << QStringLiteral("The settings were missing or damaged and have been reset.")
            << "Setup\\.xml: missing" << QByteArray("1.0.0.5") << QByteArray("1.0.0.9");
    }

    void startGoesOnAndSaysWhy()
    {
        QFETCH(QString, damage);
        QFETCH(QString, notice);
        QFETCH(QString, log);
        QFETCH(QByteArray, materialInUse);
        QFETCH(QByteArray, materialState);
        const QString current = path("ToolsFile/ToolsInfoList.xml");
        const QByteArray good = catalog("1.0.0.5");
        const QByteArray deep = QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000);
        if (damage == "missing")
            QVERIFY(QFile::remove(current));
        if (damage == "empty")
            QVERIFY(write(current, ""));
        if (damage == "truncated")
            QVERIFY(write(current, good.left(good.size() / 2)));
        if (damage == "invalid bytes")
            QVERIFY(write(current, catalog("1.0.0.5", 2, "<ToolCHName>\xff\xfe\xc3</ToolCHName>")));
        if (damage == "entities")
            QVERIFY(write(current,
                          "<!DOCTYPE Tools [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>" +
                              catalog("1.0.0.5", 2, "<ToolCHName>&b;&b;&b;</ToolCHName>").mid(39)));
        if (damage == "deep nesting")
            QVERIFY(write(current, "<Tools>" + deep + "</Tools>"));
        if (damage == "too many tools")
            QVERIFY(write(current, catalog("1.0.0.5", 20000)));
        if (damage == "long text")
            QVERIFY(write(current,
                          catalog("1.0.0.5", 2,
                                  "<BriefENIntro>" + QByteArray(CatalogLimits::kMaxDescription + 1, 'x') +
                                      "</BriefENIntro>")));
        if (damage == "huge text")
            QVERIFY(
                write(current, catalog("1.0.0.5", 2,
                                       "<BriefENIntro>" + QByteArray(16 << 20, 'x') + "</BriefENIntro>")));
        if (damage == "path in a name")
            QVERIFY(write(current, catalog("1.0.0.5", 2, "<IconMidName>../../escape.png</IconMidName>")));
        if (damage == "honest")
            QVERIFY(write(current, catalog("1.0.0.5", 1000)));
        if (damage == "utf-16") {
            const QString text = QString::fromUtf8(catalog("1.0.0.5")).replace("UTF-8", "UTF-16");
            QVERIFY(
                write(current, QByteArray("\xff\xfe", 2) +
                                   QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2)));
        }
        if (damage == "staged broken")
            QVERIFY(write(path("ToolsFileTemp/ToolsInfoList.xml"), "<Tools>" + deep + "</Tools>"));
        if (damage == "staged without manager")
            QVERIFY(write(path("ToolsFileTemp/ToolsInfoList.xml"), catalog("1.0.0.9", 2, {}, false)));
        if (damage == "staged sound") {
            QVERIFY(write(path("ToolsFile/Icon/t2.png"), "old"));
            QVERIFY(write(path("ToolsFileTemp/ToolsInfoList.xml"), catalog("1.0.0.9")));
            QVERIFY(write(path("ToolsFileTemp/Icon/t3.png"), "new"));
            QVERIFY(QFile::link(path("Setup.xml"), path("ToolsFileTemp/Icon/t2.png")));
        }
        if (damage == "swap cut") {
            QVERIFY(QDir().rename(path("ToolsFile"), path("ToolsFile.old")));
            QVERIFY(write(path("ToolsFile.new/ToolsInfoList.xml"), catalog("1.0.0.7")));
        }
        if (damage == "all broken") {
            QVERIFY(write(current, ""));
            QVERIFY(QFile::remove(path("defaults/ToolsFile/ToolsInfoList.xml")));
        }
        if (damage == "no states")
            QVERIFY(QFile::remove(path("ToolsStateList.xml")));
        if (damage == "broken states")
            m_install->writeStateList("<Tools><State>");
        if (damage == "broken settings") {
            QVERIFY(write(path("Setup.xml.damaged"), "an earlier one"));
            QVERIFY(write(path("Setup.xml"), "<Setup><Translator>"));
        }
        if (damage == "no settings")
            QVERIFY(QFile::remove(path("Setup.xml")));
        if (!log.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(log));

        StartupLoader loader(m_install->path());
        loader.loadSettings();
        ToolDataManager* data = ToolDataManager::instance();
        data->setBaseDirectoryForTest(m_install->path());
        data->setRegistryForTest(platform::Registry(path("registry")));
        loader.loadToolData();

        QCOMPARE(loader.notices(), notice.isEmpty() ? QStringList() : QStringList{notice});
        QWidget window;
        TipDialog::setNextAnswerForTesting(1);
        loader.showNotices(&window);
        QCOMPARE(TipDialog::requestCountForTesting(), notice.isEmpty() ? 0 : 1);
        if (!notice.isEmpty()) {
            QCOMPARE(TipDialog::lastRequestForTesting().text, notice);
            QCOMPARE(TipDialog::lastRequestForTesting().parent.data(), &window);
        }
        QCOMPARE(data->toolInfos().value(0).Version.toUtf8(), materialInUse);
        QCOMPARE(data->toolStates().value(0).CurrentVersion.toUtf8(), materialState);
        QVERIFY(!QFileInfo::exists(path("ToolsFileTemp")));
        QCOMPARE(QDir(m_install->path()).entryList({QStringLiteral("ToolsFile.*")}, QDir::AllEntries),
                 QStringList());
        if (!materialInUse.isEmpty()) {
            // The installed tool is still known, whatever was rebuilt.
            QCOMPARE(data->toolStates().value(2).IsDownload, 1);
            QVERIFY(read(path("ToolsStateList.xml"))
                        .contains("<CurrentVersion>" + materialState + "</CurrentVersion>"));
        }
        if (damage == "honest")
            QCOMPARE(data->toolInfos().size(), 1002);
        if (damage == "staged sound") {
            QCOMPARE(read(path("ToolsFile/Icon/t3.png")), QByteArray("new"));
            QCOMPARE(read(path("ToolsFile/Icon/t2.png")), QByteArray("old")); // the link was not copied
        }
        if (damage == "broken settings") {
            QCOMPARE(read(path("Setup.xml.damaged")), QByteArray("an earlier one"));
            QCOMPARE(read(path("Setup.xml.damaged.2")), QByteArray("<Setup><Translator>"));
        }
        if (damage.endsWith("settings"))
            QCOMPARE(ConfigManager::instance()->serverAddress(), QStringLiteral("http://shipped"));
    }

    void oversizedIconShowsThePlaceholder()
    {
        QVERIFY(write(path("ToolsFile/Icon/t2.png"), pngHeader(20000, 20000)));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("t2.png: 20000 x 20000 pixels"));
        PictureCache& cache = PictureCache::instance();
        QVERIFY(cache.isPlaceholder(cache.scaledToHeight(path("ToolsFile/Icon/t2.png"), 96)));
        QVERIFY(cache.isPlaceholder(cache.picture(path("ToolsFile/Icon/t2.png"))));

        // An honest icon is decoded straight to the size it is shown at.
        QImage icon(512, 256, QImage::Format_ARGB32);
        icon.fill(Qt::red);
        QVERIFY(icon.save(path("ToolsFile/Icon/t3.png")));
        QCOMPARE(cache.scaledToHeight(path("ToolsFile/Icon/t3.png"), 48).size(), QSize(96, 48));
    }
};

QTEST_MAIN(TestHostileMaterial)
#include "tst_hostilematerial.moc"
