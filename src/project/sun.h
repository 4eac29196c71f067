#pragma once

namespace tes {

struct Context;

struct SunDirection {
    double heading = 0;
    double pitch = 0;
    bool pitchClamped = false; // the target lay so far below that the pitch was corrected to 89.9
};

// The sun's heading and pitch in degrees for a light target point (x, y, z) in Tolvane coordinates.
SunDirection SunFromTarget(double x, double y, double z, double pi);

// Sets the rotation angle to 270 minus the heading, so the objects face the sun.
void FaceTolvaneSun(Context& ctx);

} // namespace tes
