#pragma once

#include <memory>

namespace tes {

struct Context;
class Platform;

// Builds the program's context with the main window's handlers installed, so that changing a check
// box or a text field runs its handler as the toolkit would.
std::unique_ptr<Context> CreateProgram(Platform& platform);

// Focus-loss checks of the four numeric fields.
void txtGridSize_LostFocus(Context& ctx);
void txtObjectScale_LostFocus(Context& ctx);
void txtHeading_LostFocus(Context& ctx);
void txtPitch_LostFocus(Context& ctx);

// The Max file field's click, double click, focus gain and focus loss (its change runs by itself).
void txtMaxFile_Event(Context& ctx);
// The Max file Browse button.
void btnBrowseMaxFile_Click(Context& ctx);

} // namespace tes
