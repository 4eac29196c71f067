#include "core/place/record_position.h"

#include "lib/failure.h"
#include "lib/plain_decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace tes {

ScenePoint ScenePlacement::place(std::string_view rest, double* xz) const {
    const double x = checkedFinite(TakeRecordNumber(rest));
    const double y = checkedFinite(TakeRecordNumber(rest));
    const double z = checkedFinite(TakeRecordNumber(rest));
    if (xz) {
        xz[0] = x;
        xz[1] = z;
    }
    return placeNumbers(x, y, z);
}

ScenePoint ScenePlacement::placeNumbers(double x, double y, double z) const {
    double X = z - H;
    double Y = (2 * H - x) - H;
    double Z = vScale * y + vOffset;
    if (objScale != 100) {
        X = objScale * X / 100;
        Y = objScale * Y / 100;
        Z = objScale * Z / 100;
    }
    return {checkedFinite(X), checkedFinite(Y), checkedFinite(Z)};
}

ScenePoint PositionRule::placeRecord(std::string_view entry, double* xz) const {
    const ScenePoint point = place(entry.substr(std::min(entry.size(), number.size() + 1)), xz);
    if (!FitsSinglePrecision(point.X) || !FitsSinglePrecision(point.Y) || !FitsSinglePrecision(point.Z))
        [[unlikely]]
        throw BeyondSinglePrecision{std::string(entry)};
    return point;
}

char* PositionRule::writePosition(char* out, std::string_view entry, double* xz) const {
    return WritePoint(out, placeRecord(entry, xz));
}

char* WritePoint(char* out, const ScenePoint& point) {
    const auto [X, Y, Z] = point;
    out = WriteFixedDecimals(out, X, 6);
    *out++ = ',';
    out = WriteFixedDecimals(out, Y, 6);
    *out++ = ',';
    out = WriteFixedDecimals(out, Z, 6);
    *out++ = ']';
    return out;
}

float ScriptFloatThroughText(double coordinate) {
    std::array<char, kMaxFixedDecimalsText> text{};
    const char* const end = WriteFixedDecimals(text.data(), coordinate, 6);
    double value = 0;
    std::from_chars(text.data(), end, value);
    return static_cast<float>(value);
}

float ScriptFloat(double coordinate) {
    // Below a million the text has at least nine places more than it shows after its first rounding to
    // 15 significant digits, so away from a half-way point the six places are the coordinate's own,
    // rounded: the whole number of millionths `whole`. The text then reads back as whole / 10^6, both
    // exact doubles, which the division rounds as the reading does. Zero keeps the text's sign.
    if (std::fabs(coordinate) < 1e6) {
        const double millionths = coordinate * 1e6;
        const double whole = std::nearbyint(millionths);
        if (std::fabs(millionths - whole) < 0.498 && whole != 0)
            return static_cast<float>(whole / 1e6);
    }
    return ScriptFloatThroughText(coordinate);
}

} // namespace tes
