#pragma once

#include <string>

namespace tes {

struct Context;

// Hands a document to the desktop to be opened with its associated program, or, when the desktop
// cannot, shows it in the program's own help viewer. When neither can (the file is missing or
// unreadable) the user is told once ("Error launching help file."); any other trouble is ignored and
// the program goes on.
void LaunchHelpFile(Context& ctx, const std::string& path);

// The "View Help" button: opens TES_Help.html from the program's own folder, or, in an installed copy,
// from ../share/tolvane-enviro-scripter/ beside that folder. Nothing waits for the browser.
void btnViewHelp_Click(Context& ctx);

// "Open Containing Folder" of the output pane: the folder on the desktop, or, when the desktop has no
// program to show folders, a word in the status line.
void OpenContainingFolder(Context& ctx, const std::string& folder);

} // namespace tes
