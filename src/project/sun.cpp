#include "project/sun.h"

#include "lib/failure.h"
#include "lib/numbers.h"

#include <cmath>

namespace tes {

namespace {

// The sun is seen from this fixed point of the terrain.
constexpr double kReferenceX = 1800;
constexpr double kReferenceY = 200;
constexpr double kReferenceZ = 800;
// The tangent of 89.9 degrees: a steeper sun is taken as 89.9 degrees.
constexpr double kPitchLimit = 572.957213;

double Offset(double difference) {
    return checkedFinite(RoundHalfEven(checkedFinite(difference), 6));
}

double Degrees(double radians) {
    return checkedDivide(radians * 180, Pi());
}

} // namespace

double Pi() {
    return 4 * std::atan(1.0);
}

SunDirection SunFromTarget(double x, double y, double z) {
    const double u = Offset(x - kReferenceX);
    double v = Offset(kReferenceY - y); // height counted downwards
    const double w = Offset(z - kReferenceZ);
    SunDirection sun;
    if (v > kPitchLimit) {
        v = kPitchLimit;
        sun.pitchClamped = true;
    }
    // The heading runs from +Z (0) towards +X (90); the four axis directions are exact.
    if (w == 0) {
        sun.heading = u < 0 ? 270 : 90;
    } else if (u == 0) {
        sun.heading = w < 0 ? 180 : 0;
    } else if (w < 0) {
        sun.heading = RoundHalfEven(Degrees(std::atan(u / w)) + 180, 1);
    } else if (u < 0) {
        sun.heading = RoundHalfEven(Degrees(std::atan(u / w)) + 360, 1);
    } else {
        sun.heading = RoundHalfEven(Degrees(std::atan(u / w)), 1);
    }
    sun.pitch = RoundHalfEven(Degrees(std::atan(v)), 1);
    return sun;
}

std::optional<std::string> RotationFacingSun(std::string_view headingText) {
    const double heading = LeadingNumberValue(headingText);
    if (!std::isfinite(heading))
        return std::nullopt;
    return DecimalText(270 - heading);
}

} // namespace tes
