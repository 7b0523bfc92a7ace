#include "domwriter.h"

#include <QDomElement>
#include <QDomNamedNodeMap>

namespace crestui::detail {

namespace {

// Line breaks inside a value become references so that a value never spans
// two lines of the file.
QString escapeText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '\n':
            out += QLatin1String("&#10;");
            break;
        case '\r':
            out += QLatin1String("&#13;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString escapeAttribute(const QString& text)
{
    QString out = escapeText(text);
    out.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    out.replace(QLatin1Char('\t'), QLatin1String("&#9;"));
    return out;
}

QString startTag(const QDomElement& element)
{
    QString tag = QLatin1Char('<') + element.tagName();
    const QDomNamedNodeMap attributes = element.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        tag += QLatin1Char(' ') + attribute.name() + QLatin1String("=\"") +
               escapeAttribute(attribute.value()) + QLatin1Char('"');
    }
    return tag + QLatin1Char('>');
}

bool holdsOnlyText(const QDomElement& element)
{
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (!node.isText())
            return false;
    }
    return true;
}

void writeElement(const QDomElement& element, QString& out)
{
    const QString endTag = QLatin1String("</") + element.tagName() + QLatin1String(">\n");
    if (holdsOnlyText(element)) {
        // An empty value stays "<Value></Value>": a line reader that strips
        // the two tags then finds an empty text, not "<Value/>".
        out += startTag(element) + escapeText(element.text()) + endTag;
        return;
    }
    out += startTag(element) + QLatin1Char('\n');
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isElement())
            writeElement(node.toElement(), out);
        else if (node.isText())
            out += escapeText(node.nodeValue()) + QLatin1Char('\n');
        else if (node.isComment())
            out += QLatin1String("<!--") + node.nodeValue() + QLatin1String("-->\n");
    }
    out += endTag;
}

bool isNameChar(QChar c, bool first)
{
    if (c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char(':'))
        return true;
    if (first)
        return false;
    return c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') || c.isMark();
}

} // namespace

QByteArray writeDocument(const QDomDocument& document)
{
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    const QDomElement root = document.documentElement();
    if (!root.isNull())
        writeElement(root, out);
    return out.toUtf8();
}

bool isXmlText(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !QChar::isLowSurrogate(text.at(i + 1).unicode()))
                return false;
            ++i;
            continue;
        }
        if (QChar::isLowSurrogate(c))
            return false;
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
        if (c == 0xFFFE || c == 0xFFFF)
            return false;
    }
    return true;
}

bool isXmlName(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (int i = 0; i < name.size(); ++i) {
        if (!isNameChar(name.at(i), i == 0))
            return false;
    }
    return true;
}

} // namespace crestui::detail
