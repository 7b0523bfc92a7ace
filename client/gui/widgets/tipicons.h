#pragma once

#include <QString>

namespace gearmart {

// The message box's icons (the resource names keep their original spelling).
inline const QString kNoticeIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/notice.png");
inline const QString kSureIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/sure.png");
inline const QString kSuccessIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/sucesse.png");
inline const QString kErrorIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/error.png");

} // namespace gearmart
