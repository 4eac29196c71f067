#include "core/record_position.h"

#include "lib/failure.h"
#include "lib/plain_decimal.h"

#include <algorithm>

namespace tes {

ScenePoint ScenePlacement::place(std::string_view rest) const {
    const double x = checkedFinite(TakeRecordNumber(rest));
    const double y = checkedFinite(TakeRecordNumber(rest));
    const double z = checkedFinite(TakeRecordNumber(rest));
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

char* PositionRule::writePosition(char* out, std::string_view entry, double* xz) const {
    std::string_view rest = entry.substr(std::min(entry.size(), number.size() + 1));
    const double x = checkedFinite(TakeRecordNumber(rest));
    const double y = checkedFinite(TakeRecordNumber(rest));
    const double z = checkedFinite(TakeRecordNumber(rest));
    if (xz) {
        xz[0] = x;
        xz[1] = z;
    }
    const auto [X, Y, Z] = placeNumbers(x, y, z);
    if (!FitsSinglePrecision(X) || !FitsSinglePrecision(Y) || !FitsSinglePrecision(Z)) [[unlikely]]
        throw BeyondSinglePrecision{std::string(entry)};

    out = WriteFixedDecimals(out, X, 6);
    *out++ = ',';
    out = WriteFixedDecimals(out, Y, 6);
    *out++ = ',';
    out = WriteFixedDecimals(out, Z, 6);
    *out++ = ']';
    return out;
}

} // namespace tes
