// The client's compiled-in resources: every file gearloft.qrc lists is
// linked in through gearloft_resources (without Q_INIT_RESOURCE), every
// picture decodes at its intended size, the rendered files match their
// SVG sources and the qrc, and the style sheets parse and take effect in
// any file order.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QVBoxLayout>
#include <QXmlStreamReader>
#include <QtTest>

#ifndef GEARLOFT_RESOURCES_DIR
#error "GEARLOFT_RESOURCES_DIR must name the resources source folder"
#endif

namespace {

const QString kPrefix = QStringLiteral(":/Gearmart/");
const QString kImages = QStringLiteral(":/Gearmart/Image/Gearmatt/");
const QString kQss = QStringLiteral(":/Gearmart/Qss/");

struct QrcEntry
{
    QString resourcePath; // ":/Gearmart/Image/Gearmatt/logo.ico"
    QString diskPath;     // absolute path of the source file
};

QString sourceDir()
{
    return QStringLiteral(GEARLOFT_RESOURCES_DIR);
}

QVector<QrcEntry> readQrc(QString* error)
{
    QVector<QrcEntry> entries;
    QFile file(sourceDir() + QStringLiteral("/gearloft.qrc"));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open ") + file.fileName();
        return entries;
    }
    QXmlStreamReader xml(&file);
    QString prefix;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("qresource")) {
            prefix = xml.attributes().value(QLatin1String("prefix")).toString();
            if (!prefix.endsWith(QLatin1Char('/')))
                prefix += QLatin1Char('/');
        } else if (xml.name() == QLatin1String("file")) {
            const QString alias = xml.attributes().value(QLatin1String("alias")).toString();
            const QString path = xml.readElementText().trimmed();
            entries.push_back({QStringLiteral(":") + prefix + (alias.isEmpty() ? path : alias),
                               sourceDir() + QLatin1Char('/') + path});
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return entries;
}

QStringList filesUnder(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// Sizes of every picture that is not a 24 x 24 icon.
QSize expectedSize(const QString& relative)
{
    static const QHash<QString, QSize> sizes = {
        {QStringLiteral("shadow_bg.png"), QSize(210, 143)},
        {QStringLiteral("icon/shadow_bg.png"), QSize(210, 143)},
        {QStringLiteral("icon/notice.png"), QSize(48, 48)},
        {QStringLiteral("icon/sure.png"), QSize(48, 48)},
        {QStringLiteral("icon/tip.png"), QSize(48, 48)},
        {QStringLiteral("icon/error.png"), QSize(48, 48)},
        {QStringLiteral("icon/sucesse.png"), QSize(48, 48)},
        {QStringLiteral("icon/ic_fauls.png"), QSize(48, 48)},
        {QStringLiteral("icon/no_item.png"), QSize(206, 207)},
        {QStringLiteral("icon/ic_new.png"), QSize(6, 6)},
        {QStringLiteral("icon/ic_newTool.png"), QSize(32, 32)},
        {QStringLiteral("icon/install_nor.png"), QSize(92, 98)},
        {QStringLiteral("icon/install_hov.png"), QSize(92, 98)},
        {QStringLiteral("icon/placeholder_icon.png"), QSize(64, 64)},
        {QStringLiteral("icon/placeholder_picture.png"), QSize(400, 250)},
        {QStringLiteral("icon/ic_check_nor.png"), QSize(14, 14)},
        {QStringLiteral("icon/ic_check_hov.png"), QSize(14, 14)},
        {QStringLiteral("icon/ic_check_sel.png"), QSize(14, 14)},
        {QStringLiteral("icon/ic_check_part.png"), QSize(14, 14)},
        {QStringLiteral("icon/ic_check_dis.png"), QSize(14, 14)},
        {QStringLiteral("waiting.gif"), QSize(24, 24)},
        {QStringLiteral("logo.ico"), QSize(256, 256)},
    };
    return sizes.value(relative, QSize(24, 24));
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QStringList styleSheetFiles()
{
    return QDir(kQss).entryList(QDir::Files, QDir::Name);
}

QString joinedStyleSheet(bool reversed)
{
    QStringList names = styleSheetFiles();
    if (reversed)
        std::reverse(names.begin(), names.end());
    QString all;
    for (const QString& name : names)
        all += readText(kQss + name) + QLatin1Char('\n');
    return all;
}

QStringList g_styleWarnings;

void collectStyleWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    // Only what the style sheet machinery says counts; the headless
    // platform has warnings of its own.
    static const QRegularExpression styleNoise(QStringLiteral("style ?sheet|parse|property|url"),
                                               QRegularExpression::CaseInsensitiveOption);
    if (type != QtDebugMsg && type != QtInfoMsg && message.contains(styleNoise))
        g_styleWarnings << message;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private:
    QVector<QrcEntry> m_entries;

private slots:
    void initTestCase()
    {
        QString error;
        m_entries = readQrc(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(m_entries.size() > 40);
    }

    void everyListedFileIsCompiledIn()
    {
        for (const QrcEntry& entry : qAsConst(m_entries)) {
            QFile compiled(entry.resourcePath);
            QVERIFY2(compiled.exists(),
                     qPrintable(entry.resourcePath + QStringLiteral(" is not compiled in")));
            QFile onDisk(entry.diskPath);
            QVERIFY2(onDisk.open(QIODevice::ReadOnly), qPrintable(entry.diskPath));
            QVERIFY(compiled.open(QIODevice::ReadOnly));
            QVERIFY2(compiled.readAll() == onDisk.readAll(),
                     qPrintable(entry.resourcePath + QStringLiteral(" differs from its source file")));
        }
    }

    void everyFileIsListedOnce()
    {
        QSet<QString> listed;
        for (const QrcEntry& entry : qAsConst(m_entries)) {
            QVERIFY2(!listed.contains(entry.diskPath),
                     qPrintable(entry.diskPath + QStringLiteral(" listed twice")));
            listed.insert(entry.diskPath);
        }
        const QStringList onDisk = filesUnder(sourceDir() + QStringLiteral("/Image")) +
                                   filesUnder(sourceDir() + QStringLiteral("/qss"));
        for (const QString& path : onDisk)
            QVERIFY2(listed.contains(path),
                     qPrintable(path + QStringLiteral(" is missing from gearloft.qrc")));
        QCOMPARE(listed.size(), onDisk.size());
    }

    void everySourceIsRendered()
    {
        const QString src = sourceDir() + QStringLiteral("/images/src/");
        const QStringList sources = filesUnder(src);
        QVERIFY(!sources.isEmpty());
        for (const QString& svg : sources) {
            QVERIFY2(svg.endsWith(QLatin1String(".svg")), qPrintable(svg));
            QString relative = svg.mid(src.size());
            relative.chop(4);
            QString output;
            if (relative == QLatin1String("logo"))
                output = QStringLiteral("logo.ico");
            else if (relative == QLatin1String("waiting"))
                output = QStringLiteral("waiting.gif");
            else
                output = relative + QStringLiteral(".png");
            QVERIFY2(QFile::exists(kImages + output),
                     qPrintable(svg + QStringLiteral(" has no rendered picture")));
        }
    }

    void picturesDecodeAtTheirSize()
    {
        int pictures = 0;
        for (const QrcEntry& entry : qAsConst(m_entries)) {
            if (!entry.resourcePath.startsWith(kImages))
                continue;
            const QString relative = entry.resourcePath.mid(kImages.size());
            const QSize size = expectedSize(relative);
            if (relative.endsWith(QLatin1String(".gif"))) {
                QMovie movie(entry.resourcePath);
                QVERIFY2(movie.isValid(), qPrintable(relative));
                QVERIFY(movie.jumpToFrame(0));
                QCOMPARE(movie.currentImage().size(), size);
            } else {
                QImageReader reader(entry.resourcePath);
                const QImage image = reader.read();
                QVERIFY2(!image.isNull(), qPrintable(relative + QStringLiteral(": ") + reader.errorString()));
                QVERIFY2(image.size() == size, qPrintable(QStringLiteral("%1 is %2 x %3, not %4 x %5")
                                                              .arg(relative)
                                                              .arg(image.width())
                                                              .arg(image.height())
                                                              .arg(size.width())
                                                              .arg(size.height())));
            }
            ++pictures;
        }
        QVERIFY(pictures > 40);
    }

    void requiredPicturesExist_data()
    {
        QTest::addColumn<QString>("path");
        const char* const required[] = {"logo.ico",
                                        "logo24.png",
                                        "shadow_bg.png",
                                        "hint.png",
                                        "waiting.gif",
                                        "icon/notice.png",
                                        "icon/sure.png",
                                        "icon/tip.png",
                                        "icon/error.png",
                                        "icon/sucesse.png",
                                        "icon/ic_fauls.png",
                                        "icon/no_item.png",
                                        "icon/ic_all_nor.png",
                                        "icon/ic_all_sel.png",
                                        "icon/ic_file.png",
                                        "icon/ic_fold.png",
                                        "icon/ic_unfold.png",
                                        "icon/ic_forwardBack.png",
                                        "icon/ic_license.png",
                                        "icon/ic_max.png",
                                        "icon/ic_restore.png",
                                        "icon/ic_quickSettings_nor.png",
                                        "icon/ic_quickSettings_sel.png",
                                        "icon/install_nor.png",
                                        "icon/install_hov.png",
                                        "icon/shadow_bg.png",
                                        "icon/ic_settings.png",
                                        "icon/ic_settings_hov.png",
                                        "icon/ic_help.png",
                                        "icon/ic_help_hov.png",
                                        "icon/ic_min.png",
                                        "icon/ic_min_hov.png",
                                        "icon/ic_close.png",
                                        "icon/ic_close_hov.png",
                                        "icon/ic_back.png",
                                        "icon/ic_open.png",
                                        "icon/ic_download.png",
                                        "icon/ic_cancel.png",
                                        "icon/ic_retry.png",
                                        "icon/ic_shortcut.png",
                                        "icon/ic_delete.png",
                                        "icon/ic_update.png",
                                        "icon/ic_left.png",
                                        "icon/ic_right.png",
                                        "icon/ic_new.png",
                                        "icon/placeholder_icon.png",
                                        "icon/placeholder_picture.png"};
        for (const char* path : required)
            QTest::newRow(path) << QString::fromLatin1(path);
    }

    void requiredPicturesExist()
    {
        QFETCH(QString, path);
        QVERIFY2(QFile::exists(kImages + path), qPrintable(path));
    }

    void pngFilesCarryNoMetadata()
    {
        for (const QrcEntry& entry : qAsConst(m_entries)) {
            if (!entry.resourcePath.endsWith(QLatin1String(".png")))
                continue;
            QFile file(entry.resourcePath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray data = file.readAll();
            QVERIFY(data.startsWith("\x89PNG\r\n\x1a\n"));
            for (int pos = 8; pos + 8 <= data.size();) {
                const quint32 length = (quint32(quint8(data[pos])) << 24) |
                                       (quint32(quint8(data[pos + 1])) << 16) |
                                       (quint32(quint8(data[pos + 2])) << 8) | quint32(quint8(data[pos + 3]));
                const QByteArray type = data.mid(pos + 4, 4);
                static const QList<QByteArray> allowed = {"IHDR", "PLTE", "tRNS", "IDAT", "IEND"};
                QVERIFY2(allowed.contains(type),
                         qPrintable(entry.resourcePath + QStringLiteral(" carries chunk ") +
                                    QString::fromLatin1(type)));
                pos += 12 + int(length);
            }
        }
    }

    void windowIconHoldsEverySize()
    {
        QImageReader reader(kImages + QStringLiteral("logo.ico"));
        QVERIFY(reader.canRead());
        QSet<int> sizes;
        const int count = reader.imageCount();
        QCOMPARE(count, 7);
        for (int i = 0; i < count; ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
            QCOMPARE(image.width(), image.height());
            sizes.insert(image.width());
        }
        QCOMPARE(sizes, (QSet<int>{16, 24, 32, 48, 64, 128, 256}));
        // The mark is the red tile: its middle row starts red inside the margin.
        reader.jumpToImage(0);
        const QImage big = reader.read().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(QColor(big.pixel(30, 128)).name(), QStringLiteral("#fa3239"));
    }

    void spinnerTurnsForEver()
    {
        QMovie movie(kImages + QStringLiteral("waiting.gif"));
        QVERIFY(movie.isValid());
        QVERIFY(movie.frameCount() >= 8);
        QVERIFY(movie.loopCount() < 0 || movie.loopCount() > 1000);
        QSet<QByteArray> distinct;
        for (int i = 0; i < movie.frameCount(); ++i) {
            QVERIFY(movie.jumpToFrame(i));
            const QImage frame = movie.currentImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(frame.size(), QSize(24, 24));
            QVERIFY(movie.nextFrameDelay() > 0);
            // The middle of the ring stays clear.
            QCOMPARE(qAlpha(frame.pixel(12, 12)), 0);
            distinct.insert(
                QByteArray(reinterpret_cast<const char*>(frame.constBits()), int(frame.sizeInBytes())));
        }
        QCOMPARE(distinct.size(), movie.frameCount());
    }

    void shadowFrameSlicesCleanly()
    {
        QFile top(kImages + QStringLiteral("shadow_bg.png"));
        QFile icon(kImages + QStringLiteral("icon/shadow_bg.png"));
        QVERIFY(top.open(QIODevice::ReadOnly) && icon.open(QIODevice::ReadOnly));
        QCOMPARE(top.readAll(), icon.readAll());

        const QImage image =
            QImage(kImages + QStringLiteral("shadow_bg.png")).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(210, 143));
        // Centre: white or clear.
        for (int y = 3; y < 136; y += 19)
            for (int x = 5; x < 205; x += 33) {
                const QRgb p = image.pixel(x, y);
                QVERIFY(qAlpha(p) == 0 || p == qRgb(255, 255, 255));
            }
        // Edge strips: the same along their length, so stretching keeps them
        // clean; darker toward the centre; clear at the outer edge of the
        // bottom strip's last row and the corners' outer points.
        for (int y = 0; y < 3; ++y)
            for (int x = 5; x < 205; ++x)
                QCOMPARE(image.pixel(x, y), image.pixel(5, y));
        for (int y = 136; y < 143; ++y)
            for (int x = 5; x < 205; ++x)
                QCOMPARE(image.pixel(x, y), image.pixel(5, y));
        for (int x = 0; x < 5; ++x)
            for (int y = 3; y < 136; ++y) {
                QCOMPARE(image.pixel(x, y), image.pixel(x, 3));
                QCOMPARE(image.pixel(209 - x, y), image.pixel(209 - x, 3));
            }
        QVERIFY(qAlpha(image.pixel(100, 2)) > qAlpha(image.pixel(100, 0)));
        QVERIFY(qAlpha(image.pixel(100, 136)) > qAlpha(image.pixel(100, 142)));
        QVERIFY(qAlpha(image.pixel(4, 70)) > qAlpha(image.pixel(0, 70)));
        QVERIFY(qAlpha(image.pixel(100, 136)) > 0);
        QVERIFY(qAlpha(image.pixel(0, 0)) < qAlpha(image.pixel(100, 0)) + 1);
        QCOMPARE(qAlpha(image.pixel(209, 142)), 0);
    }

    void markerIsARedDot()
    {
        const QImage dot =
            QImage(kImages + QStringLiteral("icon/ic_new.png")).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(dot.size(), QSize(6, 6));
        QCOMPARE(QColor(dot.pixel(3, 3)).name(), QStringLiteral("#fa3239"));
        QVERIFY(qAlpha(dot.pixel(0, 0)) < 128);
    }

    void styleSheetsAreWellFormed()
    {
        const QStringList names = styleSheetFiles();
        QVERIFY(names.size() >= 1);
        for (const QString& name : names) {
            const QString text = readText(kQss + name);
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(name + QStringLiteral(" is empty")));
            QString withoutComments = text;
            withoutComments.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"),
                                                      QRegularExpression::DotMatchesEverythingOption));
            QVERIFY2(!withoutComments.contains(QLatin1String("/*")),
                     qPrintable(name + QStringLiteral(": open comment")));
            QCOMPARE(withoutComments.count(QLatin1Char('{')), withoutComments.count(QLatin1Char('}')));
            QVERIFY2(withoutComments.count(QLatin1Char('{')) > 0, qPrintable(name));
            QVERIFY2(!withoutComments.contains(QLatin1String("font-family"), Qt::CaseInsensitive),
                     qPrintable(name + QStringLiteral(" names a font family")));
        }
    }

    void styleSheetPicturesExist()
    {
        const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
        int found = 0;
        for (const QString& name : styleSheetFiles()) {
            auto it = url.globalMatch(readText(kQss + name));
            while (it.hasNext()) {
                const QString path = it.next().captured(1).trimmed();
                QVERIFY2(path.startsWith(kPrefix), qPrintable(name + QStringLiteral(": ") + path));
                QVERIFY2(QFile::exists(path), qPrintable(name + QStringLiteral(": missing ") + path));
                ++found;
            }
        }
        QVERIFY(found > 10);
    }

    void eachStyleSheetParses()
    {
        for (const QString& name : styleSheetFiles()) {
            g_styleWarnings.clear();
            const QtMessageHandler previous = qInstallMessageHandler(collectStyleWarnings);
            {
                QWidget host;
                host.setStyleSheet(readText(kQss + name));
                QPushButton button(&host);
                button.ensurePolished();
            }
            qInstallMessageHandler(previous);
            QVERIFY2(g_styleWarnings.isEmpty(),
                     qPrintable(name + QStringLiteral(": ") + g_styleWarnings.join(QLatin1Char('\n'))));
        }
    }

    void styleSheetAppliesInAnyFileOrder_data()
    {
        QTest::addColumn<bool>("reversed");
        QTest::newRow("name order") << false;
        QTest::newRow("reverse order") << true;
    }

    void styleSheetAppliesInAnyFileOrder()
    {
        QFETCH(bool, reversed);
        g_styleWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectStyleWarnings);
        qApp->setStyleSheet(joinedStyleSheet(reversed));

        QWidget page;
        auto* layout = new QVBoxLayout(&page);
        auto* primary = new QPushButton(QStringLiteral("Download"), &page);
        primary->setObjectName(QStringLiteral("downLoadBtn"));
        auto* secondary = new QPushButton(QStringLiteral("Open"), &page);
        secondary->setObjectName(QStringLiteral("OpenBtn"));
        auto* role = new QPushButton(QStringLiteral("Go"), &page);
        role->setProperty("buttonRole", QStringLiteral("primary"));
        auto* checked = new QCheckBox(QStringLiteral("check all"), &page);
        checked->setChecked(true);
        auto* unchecked = new QCheckBox(QStringLiteral("check"), &page);
        for (QWidget* w : {static_cast<QWidget*>(primary), static_cast<QWidget*>(secondary),
                           static_cast<QWidget*>(role)}) {
            w->setFixedSize(96, 32);
            layout->addWidget(w);
        }
        layout->addWidget(checked);
        layout->addWidget(unchecked);
        page.resize(200, 240);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        const QImage primaryFace = primary->grab().toImage();
        const QImage secondaryFace = secondary->grab().toImage();
        const QImage roleFace = role->grab().toImage();
        QCOMPARE(QColor(primaryFace.pixel(6, 6)).name(), QStringLiteral("#fa3239"));
        QCOMPARE(QColor(roleFace.pixel(6, 6)).name(), QStringLiteral("#fa3239"));
        QCOMPARE(QColor(secondaryFace.pixel(6, 6)).name(), QStringLiteral("#ffffff"));
        QCOMPARE(QColor(secondaryFace.pixel(0, 16)).name(), QStringLiteral("#cccccc"));

        // The check box indicator is the red picture when checked only.
        const auto redIndicatorPixels = [](const QImage& face) {
            int red = 0;
            for (int y = 0; y < face.height(); ++y)
                for (int x = 0; x < qMin(16, face.width()); ++x)
                    red += QColor(face.pixel(x, y)).name() == QLatin1String("#fa3239") ? 1 : 0;
            return red;
        };
        QVERIFY(redIndicatorPixels(checked->grab().toImage()) > 60);
        QCOMPARE(redIndicatorPixels(unchecked->grab().toImage()), 0);

        qApp->setStyleSheet(QString());
        qInstallMessageHandler(previous);
        QVERIFY2(g_styleWarnings.isEmpty(), qPrintable(g_styleWarnings.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
