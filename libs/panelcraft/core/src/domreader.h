#pragma once

#include <QByteArray>
#include <QDomDocument>

namespace crestui::detail {

// Parses XML into a DOM tree. Unlike QDomDocument::setContent it keeps
// whitespace-only text of text-only elements (a value of blanks survives) and
// drops only the layout whitespace between elements.
bool readDocument(const QByteArray& data, QDomDocument* document, QString* error = nullptr);

} // namespace crestui::detail
