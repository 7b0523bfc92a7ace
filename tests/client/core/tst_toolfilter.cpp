// Which catalog tools a search and a category let through, over the texts
// the catalog gives in the interface language and the other one.
#include "clientinstallation.h"
#include "testcatalog.h"
#include "tooldata/toolfilter.h"
#include "tooldata/tooldatamanager.h"

#include <QtTest>

using gearmart::ToolFilter;

namespace {

testcatalog::Tool tool(int key, int type, const char* en, const char* ch, const char* enBrief,
                       const char* chBrief)
{
    testcatalog::Tool t = testcatalog::tool(key);
    t.type = type;
    t.enName = QString::fromUtf8(en);
    t.chName = QString::fromUtf8(ch);
    t.enBrief = QString::fromUtf8(enBrief);
    t.chBrief = QString::fromUtf8(chBrief);
    return t;
}

const QList<int> kKeys{2, 4, 11, 12, 13, 30};

QList<testcatalog::Tool> catalog()
{
    return {tool(2, 1, "Sweepwren", "净雀磁盘清理", "Frees disk space from caches, old logs and duplicate files.",
                 "一键清理系统缓存、过期日志和重复文件，释放磁盘空间。"),
            tool(4, 2, "Pinglark", "云雀网络测速", "Measures download and upload speed, latency and jitter.",
                 "测量网络的下载、上传速度以及延迟和抖动。"),
            tool(11, 3, "Almanook", "节气万年历", "Lunar calendar, solar terms and public holidays.",
                 "桌面万年历，显示农历、二十四节气和法定节假日。"),
            tool(12, 3, "Docbrook", "溪文PDF转换", "Converts PDF to Word, Excel or pictures; merges PDFs.",
                 "PDF 转 Word、Excel 或图片，还能合并和拆分 PDF。"),
            tool(13, 2, "Meshwhistle", "无线网络诊断", "Finds the least crowded Wi-Fi channel.",
                 "扫描周边无线信道，找出最空闲的信道。"),
            // A type this client has no name for.
            tool(30, 7, "Quillmark", "羽签笔记", "Notes with tags.", "带标签的笔记。")};
}

} // namespace

class TestToolFilter : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<clienttest::ClientInstallation> m_install;

    ToolFilter filterIn(int language)
    {
        m_install = std::make_unique<clienttest::ClientInstallation>();
        m_install->writeSetup({{QStringLiteral("Translator"), QString::number(language)}});
        testcatalog::writeCatalog(*m_install, catalog());
        m_install->writeStateList();
        if (!m_install->loadSingletons())
            return {};
        ToolFilter filter;
        filter.setTools(ToolFilter::catalogTools(*gearmart::ToolDataManager::instance(), kKeys.toVector()));
        return filter;
    }

private slots:
    void matches_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("category");
        QTest::addColumn<QList<int>>("keys");
        const int any = -1;
        QTest::newRow("no search") << 0 << "" << any << kKeys;
        QTest::newRow("part of a name") << 0 << "ping" << any << QList<int>{4};
        QTest::newRow("case") << 0 << "PINGLARK" << any << QList<int>{4};
        QTest::newRow("blank inside a name") << 0 << "Ping lark" << any << QList<int>{4};
        QTest::newRow("punctuation in the search") << 0 << "ping-lark!" << any << QList<int>{4};
        QTest::newRow("punctuation in the text") << 0 << "wifi" << any << QList<int>{13};
        QTest::newRow("full-width letters") << 0 << "ＷＩ－ＦＩ" << any << QList<int>{13};
        QTest::newRow("description") << 0 << "duplicate files" << any << QList<int>{2};
        QTest::newRow("parts in name and description") << 0 << "docbrook excel" << any << QList<int>{12};
        QTest::newRow("every part must be found") << 0 << "docbrook jitter" << any << QList<int>{};
        QTest::newRow("category name") << 0 << "network" << any << QList<int>{4, 13};
        QTest::newRow("unknown type as Utilities") << 0 << "utilities" << any << QList<int>{30};
        QTest::newRow("Chinese name in English") << 0 << "网络" << any << QList<int>{4, 13};
        QTest::newRow("Chinese description not in English") << 0 << "磁盘空间" << any << QList<int>{};
        QTest::newRow("no match") << 0 << "zzz" << any << QList<int>{};
        QTest::newRow("nothing but punctuation") << 0 << "?! -" << any << kKeys;
        QTest::newRow("Chinese characters") << 1 << "万年" << any << QList<int>{11};
        QTest::newRow("Chinese description") << 1 << "磁盘空间" << any << QList<int>{2};
        QTest::newRow("Chinese punctuation ignored") << 1 << "缓存过期" << any << QList<int>{2};
        QTest::newRow("English name in Chinese") << 1 << "pinglark" << any << QList<int>{4};
        QTest::newRow("English description not in Chinese") << 1 << "jitter" << any << QList<int>{};
        QTest::newRow("category alone") << 0 << "" << 2 << QList<int>{4, 13};
        QTest::newRow("category and search") << 0 << "wifi" << 2 << QList<int>{13};
        QTest::newRow("category without the match") << 0 << "pdf" << 2 << QList<int>{};
        QTest::newRow("Utilities category") << 1 << "" << 0 << QList<int>{30};
    }

    void matches()
    {
        QFETCH(int, language);
        QFETCH(QString, text);
        QFETCH(int, category);
        QFETCH(QList<int>, keys);
        ToolFilter filter = filterIn(language);
        QCOMPARE(filter.toolCount(), kKeys.size());
        filter.setText(text);
        filter.setCategory(category < 0 ? std::optional<int>() : std::optional<int>(category));
        QCOMPARE(filter.matchingKeys().toList(), keys);
        for (int key : kKeys)
            QCOMPARE(filter.matches(key), keys.contains(key));
    }

    void categoriesInCatalogOrder()
    {
        ToolFilter filter = filterIn(0);
        filter.setText(QStringLiteral("ping")); // the counts are the catalog's, whatever the search
        QList<QPair<int, int>> counts;
        QStringList names;
        for (const ToolFilter::Category& category : filter.categories()) {
            counts.append({category.id, category.count});
            names.append(category.name);
        }
        QCOMPARE(counts, (QList<QPair<int, int>>{{1, 1}, {2, 2}, {3, 2}, {0, 1}}));
        QCOMPARE(names, (QStringList{QStringLiteral("System tools"), QStringLiteral("Network tools"),
                                     QStringLiteral("Office and media"), QStringLiteral("Utilities")}));
    }
};

QTEST_MAIN(TestToolFilter)
#include "tst_toolfilter.moc"
