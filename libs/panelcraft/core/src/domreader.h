#pragma once

#include "panelcraft/xmllimits.h"

#include <QByteArray>
#include <QDomDocument>

namespace crestui::detail {

// Parses XML into a DOM tree. Unlike QDomDocument::setContent it keeps
// whitespace-only text of text-only elements (a value of blanks survives) and
// drops only the layout whitespace between elements. Refuses a document type
// declaration (entity definitions are how small files grow huge) and anything
// beyond the limits; the error then says which.
bool readDocument(const QByteArray& data, QDomDocument* document, const XmlLimits& limits,
                  QString* error = nullptr);

} // namespace crestui::detail
