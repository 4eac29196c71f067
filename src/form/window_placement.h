#pragma once

#include <vector>

// Where a window of the program opens beside the main window: rectangles in, a rectangle out, so the
// rule holds whatever toolkit shows the windows.
namespace tes {

// A rectangle of the desktop in pixels; a window's includes its frame.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; } // one past the last column
    int bottom() const { return y + height; }
    bool operator==(const ScreenRect&) const = default;
};

struct BesideRequest {
    ScreenRect screen;                 // the screen's room for windows (no task bar)
    ScreenRect main;                   // the main window
    std::vector<ScreenRect> keepClear; // the main window's buttons, which the window should not hide
    int width = 0;                     // the size the window would have
    int height = 0;
    int leastWidth = 0; // narrower than this the window is not worth opening
};

// Beside the main window where the screen has room for the whole window: on its right, else on its
// left, level with its top. Else narrowed to the room on the side with more of it, when that is at
// least leastWidth. Else as narrow as it may be, against an edge of the screen where it covers the
// least of the main window's buttons, and then of the main window.
ScreenRect PlaceBeside(const BesideRequest& request);

} // namespace tes
