#pragma once

#include <QFont>
#include <QString>

namespace tes {

// A font of `family`, or where the system lacks that family (Wine has neither Arial nor Courier
// New), a named stand-in of the same kind: not every font database heeds the style hint.
QFont FontOrStandIn(const QString& family, int pointSize, QFont::StyleHint hint);

} // namespace tes
