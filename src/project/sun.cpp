#include "project/sun.h"

#include "core/context.h"
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

double Degrees(double radians, double pi) {
    return checkedDivide(radians * 180, pi);
}

} // namespace

SunDirection SunFromTarget(double x, double y, double z, double pi) {
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
        sun.heading = RoundHalfEven(Degrees(std::atan(u / w), pi) + 180, 1);
    } else if (u < 0) {
        sun.heading = RoundHalfEven(Degrees(std::atan(u / w), pi) + 360, 1);
    } else {
        sun.heading = RoundHalfEven(Degrees(std::atan(u / w), pi), 1);
    }
    sun.pitch = RoundHalfEven(Degrees(std::atan(v), pi), 1);
    return sun;
}

void FaceTolvaneSun(Context& ctx) {
    const double heading = LeadingNumberValue(ctx.form.text(TextField::txtHeading));
    // A heading beyond the double range gives no angle: the field keeps the angle it shows.
    if (!std::isfinite(heading))
        return;
    ctx.form.setText(TextField::txtRotationAngle, DecimalText(270 - heading));
}

} // namespace tes
