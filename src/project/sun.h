#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tes {

// pi as the program computes it: 4 * atan(1).
double Pi();

struct SunDirection {
    double heading = 0;
    double pitch = 0;
    bool pitchClamped = false; // the target lay so far below that the pitch was corrected to 89.9
};

// The sun's heading and pitch in degrees for a light target point (x, y, z) in Tolvane coordinates.
// Throws Failure 6 when an offset leaves the double range.
SunDirection SunFromTarget(double x, double y, double z);

// The rotation angle that turns the objects to face the sun: 270 minus the heading, as decimal text
// (a heading of 90 gives 180, 296.6 gives -26.6). A heading beyond the double range gives no angle.
std::optional<std::string> RotationFacingSun(std::string_view headingText);

} // namespace tes
