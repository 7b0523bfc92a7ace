#include "panelcraft/textconversion.h"

#include <QTextCodec>

namespace crestui {

QByteArray ConvertFromUnicode(const QString& text, QTextCodec* codec)
{
    // Deliberately not the locale codec: under LANG=C that would be ASCII and
    // turn every Chinese character into '?'.
    return codec ? codec->fromUnicode(text) : text.toUtf8();
}

QString ConvertToUnicode(const QByteArray& bytes, QTextCodec* codec)
{
    return codec ? codec->toUnicode(bytes) : QString::fromUtf8(bytes);
}

} // namespace crestui
