#pragma once

namespace tes {

struct Context;

// Focus-loss checks of the four numeric fields: the text is pulled into the field's range, rounded
// to its precision and written back in its form. There is no message and no refusal.
void txtGridSize_LostFocus(Context& ctx);
void txtObjectScale_LostFocus(Context& ctx);
// A changed heading also turns the objects to face the sun when that option is on.
void txtHeading_LostFocus(Context& ctx);
void txtPitch_LostFocus(Context& ctx);

} // namespace tes
