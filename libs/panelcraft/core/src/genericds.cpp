#include "panelcraft/genericds.h"

#include "domreader.h"
#include "domwriter.h"

#include <QFile>
#include <QSaveFile>

namespace crestui {

GenericDS::GenericDS(const QDomDocument& document, const QDomElement& element)
    : m_document(document), m_element(element)
{
}

bool GenericDS::loadXML(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return loadXMLData(file.readAll());
}

bool GenericDS::loadXMLData(const QByteArray& data)
{
    QDomDocument document;
    if (!detail::readDocument(data, &document))
        return false;
    m_document = document;
    m_element = document.documentElement();
    return true;
}

int GenericDS::GetChildrenCount() const
{
    int count = 0;
    for (QDomElement child = m_element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        ++count;
    return count;
}

GenericDS GenericDS::GetChild(int index) const
{
    if (index < 0)
        return {};
    QDomElement child = m_element.firstChildElement();
    for (int i = 0; i < index && !child.isNull(); ++i)
        child = child.nextSiblingElement();
    return child.isNull() ? GenericDS() : GenericDS(m_document, child);
}

GenericDS GenericDS::GetChildByName(const QString& name) const
{
    const QDomElement child = m_element.firstChildElement(name);
    return child.isNull() ? GenericDS() : GenericDS(m_document, child);
}

QString GenericDS::GetName() const
{
    return m_element.tagName();
}

QString GenericDS::GetValue() const
{
    return m_element.text();
}

bool GenericDS::SetValue(const QString& text)
{
    if (m_element.isNull() || !m_element.firstChildElement().isNull() || !detail::isXmlText(text))
        return false;
    while (!m_element.firstChild().isNull())
        m_element.removeChild(m_element.firstChild());
    if (!text.isEmpty())
        m_element.appendChild(m_document.createTextNode(text));
    return true;
}

bool GenericDS::CreateASRoot(const QString& name)
{
    if (!detail::isXmlName(name))
        return false;
    QDomDocument document;
    QDomElement root = document.createElement(name);
    document.appendChild(root);
    m_document = document;
    m_element = root;
    return true;
}

GenericDS GenericDS::CreateChild(const QString& name)
{
    if (m_element.isNull() || !detail::isXmlName(name))
        return {};
    QDomElement child = m_document.createElement(name);
    m_element.appendChild(child);
    return GenericDS(m_document, child);
}

QByteArray GenericDS::toXmlData() const
{
    return detail::writeDocument(m_document);
}

bool GenericDS::SaveXML(const QString& path) const
{
    if (m_element.isNull())
        return false;
    // Other programs read this file while we may write it: they must see the
    // old or the new content, never a part.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = toXmlData();
    if (file.write(data) != data.size())
        return false;
    return file.commit();
}

} // namespace crestui
