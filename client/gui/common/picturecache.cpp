#include "common/picturecache.h"

#include "common/picturelimits.h"
#include "log/logging.h"

#include <QColor>
#include <QDebug>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace gearmart {

namespace {

const QString kIconPlaceholder = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/placeholder_icon.png");
const QString kPicturePlaceholder = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/placeholder_picture.png");

QString cacheKey(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

PictureCache& PictureCache::instance()
{
    static PictureCache cache;
    return cache;
}

QPixmap PictureCache::picture(const QString& path, Placeholder placeholder)
{
    // A real picture is one entry whatever the placeholder; a miss is one per kind.
    const QString key = cacheKey(path);
    const QString missKey = key + QStringLiteral("|") + QString::number(int(placeholder));
    for (const QString& known : {key, missKey}) {
        const auto it = m_pictures.constFind(known);
        if (it != m_pictures.cend())
            return it.value();
    }
    const QPixmap pixmap = QPixmap::fromImage(read(path, 0));
    if (pixmap.isNull())
        return remember(missKey, this->placeholder(placeholder), true);
    return remember(key, pixmap, false);
}

QPixmap PictureCache::scaledToHeight(const QString& path, int height, Placeholder placeholder)
{
    const QString key = cacheKey(path) + QStringLiteral("|") + QString::number(int(placeholder)) +
                        QStringLiteral("@") + QString::number(height);
    const auto it = m_pictures.constFind(key);
    if (it != m_pictures.cend())
        return it.value();
    // A huge original is never kept just to show it small.
    const auto cached = m_pictures.constFind(cacheKey(path));
    if (height > 0 && cached == m_pictures.cend()) {
        const QImage image = read(path, height);
        if (!image.isNull())
            return remember(key, QPixmap::fromImage(image), false);
    }
    const QPixmap original = cached != m_pictures.cend() ? cached.value() : picture(path, placeholder);
    const bool bPlaceholder = isPlaceholder(original);
    if (height <= 0)
        return remember(key, original, bPlaceholder);
    // A placeholder fills a square of the asked height, as an icon would.
    const QPixmap scaled =
        bPlaceholder ? original.scaled(height, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     : original.scaledToHeight(height, Qt::SmoothTransformation);
    return remember(key, scaled, bPlaceholder);
}

QImage PictureCache::read(const QString& path, int iHeight)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return {};
    if (info.size() > PictureLimits::kMaxFileBytes) {
        refuse(path,
               QStringLiteral("%1 bytes, more than %2").arg(info.size()).arg(PictureLimits::kMaxFileBytes));
        return {};
    }
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid()) {
        refuse(path, QStringLiteral("no picture size in its header"));
        return {};
    }
    if (size.width() > PictureLimits::kMaxSide || size.height() > PictureLimits::kMaxSide ||
        qint64(size.width()) * size.height() > PictureLimits::kMaxPixels) {
        refuse(path,
               QStringLiteral("%1 x %2 pixels, more than allowed").arg(size.width()).arg(size.height()));
        return {};
    }
    if (iHeight > 0 && size.height() > 0)
        reader.setScaledSize(QSize(qMax(1, qRound(qreal(size.width()) * iHeight / size.height())), iHeight));
    const QImage image = reader.read();
    if (image.isNull())
        refuse(path, reader.errorString());
    return image;
}

void PictureCache::refuse(const QString& path, const QString& qstrCause)
{
    const QString key = cacheKey(path);
    if (m_refusedPaths.contains(key))
        return;
    m_refusedPaths.insert(key);
    qCWarning(lcPages).noquote() << "picture refused, placeholder shown:" << key + QStringLiteral(":")
                                 << qstrCause;
}

bool PictureCache::isPlaceholder(const QPixmap& pixmap) const
{
    return !pixmap.isNull() && m_placeholderKeys.contains(pixmap.cacheKey());
}

void PictureCache::clear()
{
    m_pictures.clear();
    m_placeholderKeys.clear();
}

QPixmap PictureCache::placeholder(Placeholder kind) const
{
    QPixmap pixmap(kind == Placeholder::Icon ? kIconPlaceholder : kPicturePlaceholder);
    if (!pixmap.isNull())
        return pixmap;
    // Without the compiled-in pictures: a plain light tile.
    const QSize size = kind == Placeholder::Icon ? QSize(96, 96) : QSize(278, 94);
    QPixmap tile(size);
    tile.fill(QColor(QStringLiteral("#E6E6E6")));
    return tile;
}

QPixmap PictureCache::remember(const QString& key, const QPixmap& pixmap, bool bPlaceholder)
{
    m_pictures.insert(key, pixmap);
    if (bPlaceholder)
        m_placeholderKeys.insert(pixmap.cacheKey());
    return pixmap;
}

} // namespace gearmart
