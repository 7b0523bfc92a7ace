#include "panelcraft/genericds.h"

#include "domreader.h"
#include "domwriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace crestui {

GenericDS::GenericDS(const QDomDocument& document, const QDomElement& element)
    : m_document(document), m_element(element)
{
}

bool GenericDS::loadXML(const QString& path, QString* pError)
{
    return loadXML(path, XmlLimits(), pError);
}

bool GenericDS::loadXML(const QString& path, const XmlLimits& limits, QString* pError)
{
    auto fail = [pError](const QString& text) {
        if (pError)
            *pError = text;
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("missing"));
    // A pipe or a device would block or never end.
    if (!info.isFile())
        return fail(QStringLiteral("not a regular file"));
    if (info.size() > limits.maxBytes)
        return fail(QStringLiteral("%1 bytes, more than %2").arg(info.size()).arg(limits.maxBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("unreadable: %1").arg(file.errorString()));
    // One byte more than measured tells a file that grew meanwhile.
    const QByteArray data = file.read(info.size() + 1);
    if (data.size() > info.size())
        return fail(QStringLiteral("changed while it was read"));
    return loadXMLData(data, limits, pError);
}

bool GenericDS::loadXMLData(const QByteArray& data, QString* pError)
{
    return loadXMLData(data, XmlLimits(), pError);
}

bool GenericDS::loadXMLData(const QByteArray& data, const XmlLimits& limits, QString* pError)
{
    QDomDocument document;
    if (!detail::readDocument(data, &document, limits, pError))
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

QVector<GenericDS> GenericDS::GetChildren() const
{
    QVector<GenericDS> children;
    for (QDomElement child = m_element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        children.append(GenericDS(m_document, child));
    return children;
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
