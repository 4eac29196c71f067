#pragma once

#include <optional>
#include <string>

namespace tes {

struct Context;

// Script Options' Output folder: where the scripts go instead of beside the project. It is checked
// when chosen, remembered per user like the dialog's other choices, and named in the status line.

// What to do when a script cannot be written where it goes.
inline constexpr const char* kChooseOutputFolder = "Choose an Output folder in Script Options.";

// Why scripts cannot be written into `folder`, naming it: not a whole path, missing, a file, or
// refused by the system (a file is made there and removed to find out). Nothing when they can; the
// empty folder (beside the project) is always taken.
std::optional<std::string> OutputFolderProblem(const std::string& folder);
// The same for the folder the scripts went into, whichever it is: "The folder D:\Out does not exist."
std::optional<std::string> ScriptsFolderProblem(const std::string& folder);

// Script Options' OK for `folder`: false, with the problem shown, when it cannot take the scripts.
bool CheckOutputFolder(Context& ctx, const std::string& folder);

// Before Process or Process All writes into a chosen Output folder that is missing: asks whether to
// create it. True when the build may go on (the folder is there, or made); false when the user says
// No, or when it cannot be made, which is said naming the folder and why.
bool OfferToCreateOutputFolder(Context& ctx);

// The Output folder's Browse...: the folder chosen, or `typed` when the user cancelled. The dialog
// starts in the typed folder, else in the project's.
std::string btnBrowseOutputFolder_Click(Context& ctx, const std::string& typed);

// Takes the folder for the next builds and the next start; the status line says where scripts go.
void SetOutputFolder(Context& ctx, const std::string& folder);
// The folder as last chosen; empty when none is.
std::string SavedOutputFolder(Context& ctx);

// "Scripts go to D:\Out" for the status line; empty when they go beside the project.
std::string ScriptsGoText(const Context& ctx);

} // namespace tes
