#pragma once

namespace tes {

struct Context;

// The data part of start-up: pi, the title, the two saved folders (the program's folder when none is
// saved), "Save To File" checked through its handler, the version caption. The windows do the rest.
void StartSession(Context& ctx);

// Saves DefaultDir and ObjectDir to the per-user settings.
void SaveFolderSettings(Context& ctx);

// Marks the program as ended; returns false when it had ended already (a second call does nothing).
bool BeginEndProgram(Context& ctx);

} // namespace tes
