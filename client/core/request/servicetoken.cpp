#include "request/servicetoken.h"

#include "localprotocol/localprotocol.h"

#include <QRandomGenerator>
#include <array>

namespace gearmart {

QByteArray ServiceToken::generate()
{
    std::array<quint32, kRandomBytes / sizeof(quint32)> words;
    QRandomGenerator::system()->fillRange(words.data(), static_cast<qsizetype>(words.size()));
    const QByteArray bytes(reinterpret_cast<const char*>(words.data()), kRandomBytes);
    return bytes.toHex();
}

QProcessEnvironment ServiceToken::environmentWith(const QByteArray& token, QProcessEnvironment base)
{
    base.insert(QString::fromLatin1(localprotocol::kTokenEnvironment), QString::fromLatin1(token));
    return base;
}

} // namespace gearmart
