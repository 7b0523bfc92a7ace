#pragma once

#include <QByteArray>
#include <QDomDocument>

namespace crestui::detail {

// The line layout other programs read by line: one element per line, no
// indentation, text-only elements on a single line.
QByteArray writeDocument(const QDomDocument& document);

// Whether every character can be written into an XML 1.0 document.
bool isXmlText(const QString& text);
bool isXmlName(const QString& name);

} // namespace crestui::detail
