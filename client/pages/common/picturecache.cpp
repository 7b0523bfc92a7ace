#include "common/picturecache.h"

#include <QColor>
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
    QPixmap pixmap;
    if (!path.isEmpty() && QFileInfo(path).isFile())
        pixmap = QPixmap::fromImage(QImageReader(path).read());
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
    const QPixmap original = picture(path, placeholder);
    const bool bPlaceholder = isPlaceholder(original);
    if (height <= 0)
        return remember(key, original, bPlaceholder);
    // A placeholder fills a square of the asked height, as an icon would.
    const QPixmap scaled =
        bPlaceholder ? original.scaled(height, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     : original.scaledToHeight(height, Qt::SmoothTransformation);
    return remember(key, scaled, bPlaceholder);
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
