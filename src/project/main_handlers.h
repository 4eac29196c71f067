#pragma once

#include <memory>

namespace tes {

struct Context;
class Platform;

// Builds the program's context with the main window's handlers installed, so that changing a check
// box or a text field runs its handler as the toolkit would.
std::unique_ptr<Context> CreateProgram(Platform& platform);

// Focus-loss checks of the four numeric fields: the text is pulled into the field's range, rounded
// to its precision and written back in its form.
void txtGridSize_LostFocus(Context& ctx);
void txtObjectScale_LostFocus(Context& ctx);
void txtHeading_LostFocus(Context& ctx);
void txtPitch_LostFocus(Context& ctx);

// The Max file field's click, double click, focus gain and focus loss (its change runs by itself):
// while "use the Max file name" is checked the object name follows the file's base name.
void txtMaxFile_Event(Context& ctx);
// The Max file Browse button.
void btnBrowseMaxFile_Click(Context& ctx);

} // namespace tes
