#include "domreader.h"

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

} // namespace

bool readDocument(const QByteArray& data, QDomDocument* document, QString* error)
{
    QDomDocument result;
    QVector<QDomElement> open;
    QXmlStreamReader reader(data);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
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
                const QString text = reader.text().toString();
                open.last().appendChild(reader.isCDATA() ? QDomNode(result.createCDATASection(text))
                                                         : QDomNode(result.createTextNode(text)));
            }
            break;
        case QXmlStreamReader::Comment:
            if (!open.isEmpty())
                open.last().appendChild(result.createComment(reader.text().toString()));
            break;
        default:
            break;
        }
    }
    if (reader.hasError() || result.documentElement().isNull()) {
        if (error)
            *error = reader.hasError() ? reader.errorString() : QStringLiteral("no document element");
        return false;
    }
    *document = result;
    return true;
}

} // namespace crestui::detail
