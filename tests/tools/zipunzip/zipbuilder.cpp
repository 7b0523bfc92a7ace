#include "zipbuilder.h"

#include <QtEndian>
#include <archive.h>
#include <archive_entry.h>
#include <memory>

namespace {

la_ssize_t appendTo(archive*, void* out, const void* data, size_t size)
{
    static_cast<QByteArray*>(out)->append(static_cast<const char*>(data), int(size));
    return la_ssize_t(size);
}

// Offset of the index-th central directory header.
int centralEntry(const QByteArray& zip, int index)
{
    const int end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    int at = int(qFromLittleEndian<quint32>(zip.constData() + end + 16));
    for (; index > 0; --index) {
        const auto* h = reinterpret_cast<const uchar*>(zip.constData() + at);
        at += 46 + qFromLittleEndian<quint16>(h + 28) + qFromLittleEndian<quint16>(h + 30) +
              qFromLittleEndian<quint16>(h + 32);
    }
    return at;
}

template <typename T> void patch(QByteArray& zip, int at, T value)
{
    qToLittleEndian<T>(value, zip.data() + at);
}

} // namespace

ZipBuilder::ZipBuilder(Names names, bool deflate) : m_names(names), m_deflate(deflate) {}

ZipBuilder& ZipBuilder::file(const QByteArray& name, const QByteArray& content, int perm)
{
    m_entries.push_back({name, content, AE_IFREG, perm});
    return *this;
}

ZipBuilder& ZipBuilder::dir(const QByteArray& name)
{
    m_entries.push_back({name, {}, AE_IFDIR, 0755});
    return *this;
}

ZipBuilder& ZipBuilder::symlink(const QByteArray& name, const QByteArray& target)
{
    m_entries.push_back({name, target, AE_IFLNK, 0777});
    return *this;
}

QByteArray ZipBuilder::bytes() const
{
    QByteArray out;
    std::unique_ptr<archive, decltype(&archive_write_free)> a(archive_write_new(), archive_write_free);
    archive_write_set_format_zip(a.get());
    archive_write_set_bytes_in_last_block(a.get(), 1);
    archive_write_set_format_option(a.get(), "zip", "compression", m_deflate ? "deflate" : "store");
    if (m_names == Names::Gbk)
        archive_write_set_format_option(a.get(), "zip", "hdrcharset", "CP936");
    archive_write_open(a.get(), &out, nullptr, appendTo, nullptr);
    for (const Entry& e : m_entries) {
        std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                            archive_entry_free);
        archive_entry_set_pathname(entry.get(), e.name.constData());
        archive_entry_set_filetype(entry.get(), e.type);
        archive_entry_set_perm(entry.get(), e.perm);
        if (e.type == AE_IFLNK)
            archive_entry_set_symlink(entry.get(), e.data.constData());
        else
            archive_entry_set_size(entry.get(), e.data.size());
        archive_write_header(a.get(), entry.get());
        if (e.type == AE_IFREG)
            archive_write_data(a.get(), e.data.constData(), size_t(e.data.size()));
    }
    archive_write_close(a.get());
    return out;
}

void ZipBuilder::setUtf8Flags(QByteArray& zip, bool flagged)
{
    const int count =
        qFromLittleEndian<quint16>(zip.constData() + zip.lastIndexOf(QByteArray("PK\x05\x06", 4)) + 10);
    for (int i = 0; i < count; ++i) {
        const int central = centralEntry(zip, i);
        const int local = int(qFromLittleEndian<quint32>(zip.constData() + central + 42));
        for (int at : {central + 8, local + 6}) {
            const quint16 flags = qFromLittleEndian<quint16>(zip.constData() + at);
            patch<quint16>(zip, at, flagged ? flags | 0x0800 : flags & ~0x0800);
        }
    }
}

void ZipBuilder::setUnixMode(QByteArray& zip, int index, quint16 mode)
{
    patch<quint16>(zip, centralEntry(zip, index) + 40, mode);
}

void ZipBuilder::setUncompressedSize(QByteArray& zip, int index, quint32 size, bool alsoLocal)
{
    const int central = centralEntry(zip, index);
    patch<quint32>(zip, central + 24, size);
    if (alsoLocal)
        patch<quint32>(zip, int(qFromLittleEndian<quint32>(zip.constData() + central + 42)) + 22, size);
}
