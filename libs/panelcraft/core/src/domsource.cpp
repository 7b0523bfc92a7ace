#include "domsource.h"

#include <QRegularExpression>
#include <QTextCodec>

namespace crestui::detail {

namespace {

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QTextCodec* codecFor(const QByteArray& data, QString* error)
{
    if (QTextCodec* codec = QTextCodec::codecForUtfText(data, nullptr))
        return codec;
    // UTF-16 without a mark still starts with "<".
    if (data.startsWith(QByteArray("<\0", 2)))
        return QTextCodec::codecForName("UTF-16LE");
    if (data.startsWith(QByteArray("\0<", 2)))
        return QTextCodec::codecForName("UTF-16BE");
    static const QRegularExpression declaration(
        QStringLiteral(R"(^<\?xml[^>]*?\sencoding\s*=\s*["']([A-Za-z0-9._:-]+)["'])"));
    const QRegularExpressionMatch match = declaration.match(QString::fromLatin1(data.left(256)));
    if (!match.hasMatch())
        return QTextCodec::codecForName("UTF-8");
    QTextCodec* codec = QTextCodec::codecForName(match.captured(1).toLatin1());
    if (!codec)
        fail(error, QStringLiteral("unknown encoding %1").arg(match.captured(1)));
    return codec;
}

bool scanMarkup(const QString& text, const XmlLimits& limits, QString* error)
{
    const int size = text.size();
    int pos = 0;
    auto skipPast = [&text, &pos](const char* terminator) {
        const int found = text.indexOf(QLatin1String(terminator), pos);
        pos = found < 0 ? text.size() : found + int(qstrlen(terminator));
    };
    while ((pos = text.indexOf(QLatin1Char('<'), pos)) >= 0) {
        const QStringRef rest = text.midRef(pos, 9);
        if (rest.startsWith(QLatin1String("<!--"))) {
            skipPast("-->");
        } else if (rest.startsWith(QLatin1String("<![CDATA["))) {
            skipPast("]]>");
        } else if (rest.startsWith(QLatin1String("<!"))) {
            return fail(error, QStringLiteral("has a document type declaration"));
        } else if (rest.startsWith(QLatin1String("<?"))) {
            skipPast("?>");
        } else {
            // A tag: every attribute has one "=" outside its quoted value.
            int attributes = 0;
            for (++pos; pos < size && text.at(pos) != QLatin1Char('>') && text.at(pos) != QLatin1Char('<');
                 ++pos) {
                const QChar c = text.at(pos);
                if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                    pos = text.indexOf(c, pos + 1);
                    if (pos < 0)
                        return true; // unterminated: the reader says so
                } else if (c == QLatin1Char('=') && ++attributes > limits.maxAttributes) {
                    return fail(
                        error,
                        QStringLiteral("a tag with more than %1 attributes").arg(limits.maxAttributes));
                }
            }
        }
    }
    return true;
}

} // namespace

bool documentText(const QByteArray& data, const XmlLimits& limits, QString* text, QString* error)
{
    QTextCodec* codec = codecFor(data, error);
    if (!codec)
        return false;
    QTextCodec::ConverterState state;
    QString decoded = codec->toUnicode(data.constData(), data.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return fail(error,
                    QStringLiteral("bytes that are not valid %1").arg(QString::fromLatin1(codec->name())));
    if (decoded.startsWith(QChar(0xFEFF)))
        decoded.remove(0, 1);
    if (!scanMarkup(decoded, limits, error))
        return false;
    *text = decoded;
    return true;
}

} // namespace crestui::detail
