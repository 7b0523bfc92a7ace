#pragma once

#include "panelcraft/xmllimits.h"

#include <QByteArray>
#include <QString>

namespace crestui::detail {

// The document's bytes as text, decoded by their byte order mark or the
// encoding their declaration names (UTF-8 without either); bytes invalid in
// that encoding are an error. Then one pass over the text refuses what the
// stream reader handles badly: a document type declaration, and a start tag
// with more attributes than the limits allow (the reader compares each
// attribute with every one before it).
bool documentText(const QByteArray& data, const XmlLimits& limits, QString* text, QString* error);

} // namespace crestui::detail
