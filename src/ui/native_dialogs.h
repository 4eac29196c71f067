#pragma once

namespace tes {

// Whether file dialogs may be the system's own. Not under Wine: closing its dialog leaves no window of
// the program active (the keyboard reaches nothing until a click), which Qt's own dialog does not.
bool NativeFileDialogsWork();

} // namespace tes
