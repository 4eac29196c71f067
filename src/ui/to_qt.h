#pragma once

#include <string>
#include <string_view>

#include <QString>

// Text in memory is UTF-8 everywhere outside the windows; these are the only conversions at the seam.
namespace tes {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) {
    return text.toStdString();
}

} // namespace tes
