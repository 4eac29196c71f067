#pragma once

#include "core/script/script_style.h"

namespace tes {

struct Context;

// The data part of start-up: pi, the title, the two saved folders (the user's documents when none is
// saved), the script options and the Output folder, "Save To File" checked through its handler, the
// version caption. The windows do the rest.
void StartSession(Context& ctx);

// Saves DefaultDir and ObjectDir to the per-user settings.
void SaveFolderSettings(Context& ctx);

// The main window's size as the user last left it, in pixels; 0 x 0 when none is saved.
struct WindowSize {
    int width = 0;
    int height = 0;
};
WindowSize SavedWindowSize(Context& ctx);
void SaveWindowSize(Context& ctx, WindowSize size);

// The script options as the user last chose them (the classic script when none are saved), and
// storing them when they change.
ScriptStyle SavedScriptStyle(Context& ctx);
void SaveScriptStyle(Context& ctx, const ScriptStyle& style);

// Whether Process All also joins its scripts into one, as last chosen.
bool SavedJoinAllScripts(Context& ctx);
void SaveJoinAllScripts(Context& ctx, bool join);

// Marks the program as ended; returns false when it had ended already (a second call does nothing).
bool BeginEndProgram(Context& ctx);

} // namespace tes
