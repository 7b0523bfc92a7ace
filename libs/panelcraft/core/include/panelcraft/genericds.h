#pragma once

#include "panelcraft/xmllimits.h"

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <QVector>

namespace crestui {

// A handle on one element of an XML tree. Copies share the tree, so a child
// taken with GetChild can be changed and the root then saved. A default
// constructed handle is null: reads give empty results, changes fail.
class GenericDS
{
public:
    GenericDS() = default;

    // Points this handle at the document element of the file. On failure the
    // handle is left as it was and pError, when given, says why. The size is
    // checked before the file is read; a document type declaration is refused.
    bool loadXML(const QString& path, QString* pError = nullptr);
    bool loadXML(const QString& path, const XmlLimits& limits, QString* pError = nullptr);
    // Same, from bytes in memory (any encoding the declaration names).
    bool loadXMLData(const QByteArray& data, QString* pError = nullptr);
    bool loadXMLData(const QByteArray& data, const XmlLimits& limits, QString* pError = nullptr);

    bool isNull() const { return m_element.isNull(); }

    // Child elements, in document order. GetChild walks from the first child,
    // so loops over all children take GetChildren, one pass.
    int GetChildrenCount() const;
    GenericDS GetChild(int index) const;
    QVector<GenericDS> GetChildren() const;
    GenericDS GetChildByName(const QString& name) const;

    QString GetName() const;
    // The element's text (all text below it, concatenated).
    QString GetValue() const;
    // Replaces the text of an element without child elements. Fails for a
    // null handle, for an element that holds elements, and for characters
    // that XML cannot carry.
    bool SetValue(const QString& text);

    // Starts a new tree whose document element this handle becomes.
    bool CreateASRoot(const QString& name);
    // Appends a child element; null when the name is not a valid XML name.
    GenericDS CreateChild(const QString& name);

    // Writes the whole tree this element belongs to: UTF-8, one element per
    // line, no indentation, a text-only element on one line. The file is
    // replaced atomically.
    bool SaveXML(const QString& path) const;
    QByteArray toXmlData() const;

private:
    GenericDS(const QDomDocument& document, const QDomElement& element);

    QDomDocument m_document;
    QDomElement m_element;
};

} // namespace crestui
