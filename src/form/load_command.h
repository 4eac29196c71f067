#pragma once

#include "lib/message.h"

#include <string>

namespace tes {

struct Context;

// The project Browse button: asks for a .prj file and loads the project it names. Returns the
// messages it showed.
Messages btnBrowseProjectFile_Click(Context& ctx);

// Loads the project of a .prj file as a choice in the Browse dialog does: the window shows the
// project, the session holds its paths, Process becomes available. A project dropped on the window
// or named when the program starts comes this way. A project in the program's own folder (the
// installed example) is opened from the user's copy of it (form/installed_example.h). Returns the
// messages it showed.
Messages OpenProject(Context& ctx, const std::string& projectPath);

} // namespace tes
