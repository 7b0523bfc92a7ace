#pragma once

#include <QByteArray>
#include <QString>

class QTextCodec;

namespace crestui {

// Text to 8-bit bytes in the given codec; without one in the system 8-bit
// code page, which is UTF-8 here.
QByteArray ConvertFromUnicode(const QString& text, QTextCodec* codec = nullptr);
QString ConvertToUnicode(const QByteArray& bytes, QTextCodec* codec = nullptr);

} // namespace crestui
