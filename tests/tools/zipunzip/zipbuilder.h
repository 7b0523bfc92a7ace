#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Writes zip archives for the tests through libarchive, so no binary
// archives live in the repository.
class ZipBuilder
{
public:
    enum class Names
    {
        Utf8,
        Gbk
    };

    explicit ZipBuilder(Names names = Names::Utf8, bool deflate = true);

    ZipBuilder& file(const QByteArray& name, const QByteArray& content, int perm = 0644);
    ZipBuilder& dir(const QByteArray& name);
    ZipBuilder& symlink(const QByteArray& name, const QByteArray& target);

    QByteArray bytes() const;

    // Header patches for archives the writer will not produce.
    // Names are stored as given (in a UTF-8 locale), so this marks them as UTF-8 or not.
    static void setUtf8Flags(QByteArray& zip, bool flagged);
    static void setUnixMode(QByteArray& zip, int index, quint16 mode);
    static void setUncompressedSize(QByteArray& zip, int index, quint32 size, bool alsoLocal = true);

private:
    struct Entry
    {
        QByteArray name;
        QByteArray data;
        unsigned type;
        int perm;
    };

    Names m_names;
    bool m_deflate;
    std::vector<Entry> m_entries;
};
