#pragma once

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QSize>
#include <QString>

namespace gearmart {

// Pictures of the installed material, read from disk once and shared by
// every page. A missing or unreadable file gives a neutral placeholder of
// the asked size, never a null picture; so does one beyond PictureLimits,
// which is refused from its header alone and logged once.
class PictureCache
{
public:
    enum class Placeholder
    {
        Icon,
        Picture
    };

    static PictureCache& instance();

    // The picture at path (absolute or relative to the working directory),
    // or the placeholder.
    QPixmap picture(const QString& path, Placeholder placeholder = Placeholder::Picture);
    // The same, scaled smoothly to the height (aspect kept); cached per height.
    // Decoded at that size unless the original is cached already.
    QPixmap scaledToHeight(const QString& path, int height, Placeholder placeholder = Placeholder::Icon);
    bool isPlaceholder(const QPixmap& pixmap) const;
    void clear();

private:
    PictureCache() = default;
    QPixmap placeholder(Placeholder kind) const;
    // Null when missing or refused; iHeight > 0 decodes straight to that height.
    QImage read(const QString& path, int iHeight);
    void refuse(const QString& path, const QString& qstrCause);
    QPixmap remember(const QString& key, const QPixmap& pixmap, bool bPlaceholder);

    QHash<QString, QPixmap> m_pictures;
    QSet<qint64> m_placeholderKeys;
    QSet<QString> m_refusedPaths;
};

} // namespace gearmart
