#pragma once

#include "lib/message.h"

#include <string>

namespace tes {

// A project inside the program's own folder (the installed example on Windows) is never written
// into: a user may not write there, and the next setup or uninstall replaces or removes it. It is
// opened from a copy in the user's Documents instead, made on first use and kept afterwards, so the
// user's edits stay.

// The folder in the user's Documents that holds such copies.
inline constexpr const char* kExampleCopiesFolder = "Tolvane Enviro Scripter";

struct ProjectToOpen {
    std::string path;  // the project to load; empty when its copy could not be made
    std::string note;  // for the status line when `path` is a copy; empty otherwise
    Messages messages; // why the copy could not be made
};

// The project to load for `projectPath`: itself when it lies outside the program's folder, or when
// there is no documents folder; else its copy, Documents\Tolvane Enviro Scripter\<the project's
// folder name>, whose files are copied from the project's folder when the copy has no such project
// yet (a file already there is never replaced).
ProjectToOpen ProjectOutsideProgramFolder(const std::string& projectPath, const std::string& programFolder,
                                          const std::string& documentsFolder);

} // namespace tes
