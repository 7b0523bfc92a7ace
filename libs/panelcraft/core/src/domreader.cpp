#include "domreader.h"

#include "domsource.h"

#include <QDomElement>
#include <QVector>
#include <QXmlStreamReader>

namespace crestui::detail {

namespace {

// Whitespace between child elements is layout, not content.
void dropLayoutWhitespace(QDomElement& element)
{
    if (element.firstChildElement().isNull())
        return;
    QDomNode node = element.firstChild();
    while (!node.isNull()) {
        QDomNode next = node.nextSibling();
        if (node.isText() && !node.isCDATASection() && node.nodeValue().trimmed().isEmpty())
            element.removeChild(node);
        node = next;
    }
}

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool readDocument(const QByteArray& data, QDomDocument* document, const XmlLimits& limits, QString* error)
{
    if (data.size() > limits.maxBytes)
        return fail(error, QStringLiteral("larger than %1 bytes").arg(limits.maxBytes));
    QString text;
    if (!documentText(data, limits, &text, error))
        return false;
    QDomDocument result;
    QVector<QDomElement> open;
    int elements = 0;
    QXmlStreamReader reader(text);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            // Checked before the insert: the tree's insert walks up to the
            // root, so depth is what would make a deep file quadratic.
            if (open.size() >= limits.maxDepth)
                return fail(error, QStringLiteral("nested deeper than %1 levels").arg(limits.maxDepth));
            if (++elements > limits.maxElements)
                return fail(error, QStringLiteral("more than %1 elements").arg(limits.maxElements));
            QDomElement element = result.createElement(reader.qualifiedName().toString());
            for (const QXmlStreamAttribute& attribute : reader.attributes())
                element.setAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
            if (open.isEmpty())
                result.appendChild(element);
            else
                open.last().appendChild(element);
            open.append(element);
            break;
        }
        case QXmlStreamReader::EndElement:
            dropLayoutWhitespace(open.last());
            open.removeLast();
            break;
        case QXmlStreamReader::Characters:
            if (!open.isEmpty()) {
                const QString content = reader.text().toString();
                open.last().appendChild(reader.isCDATA() ? QDomNode(result.createCDATASection(content))
                                                         : QDomNode(result.createTextNode(content)));
            }
            break;
        case QXmlStreamReader::Comment:
            if (!open.isEmpty())
                open.last().appendChild(result.createComment(reader.text().toString()));
            break;
        case QXmlStreamReader::DTD:
            return fail(error, QStringLiteral("has a document type declaration"));
        case QXmlStreamReader::EntityReference:
            return fail(error, QStringLiteral("refers to the entity %1").arg(reader.name().toString()));
        default:
            break;
        }
    }
    if (reader.hasError() || result.documentElement().isNull()) {
        return fail(error, reader.hasError() ? QStringLiteral("not well-formed XML at line %1: %2")
                                                   .arg(reader.lineNumber())
                                                   .arg(reader.errorString())
                                             : QStringLiteral("no document element"));
    }
    *document = result;
    return true;
}

} // namespace crestui::detail
