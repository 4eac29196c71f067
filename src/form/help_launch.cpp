#include "form/help_launch.h"

#include "form/context.h"
#include "lib/fields.h"
#include "lib/file_access.h"

namespace tes {

namespace {

// An installed copy keeps the program in bin/ and its data in share/tolvane-enviro-scripter/; a build
// tree or an unpacked zip keeps the help beside the program, which is looked at first. When neither
// has it, the path beside the program is the one the launch fails with.
std::string HelpFilePath(Platform& platform) {
    const std::string beside = JoinPath(platform.programFolder(), "TES_Help.html");
    if (IsRegularFile(beside))
        return beside;
    const std::string installed = Utf8FromPath(
        (PathFromUtf8(JoinPath(platform.programFolder(), "../share/tolvane-enviro-scripter/TES_Help.html")))
            .lexically_normal()
            .make_preferred());
    return IsRegularFile(installed) ? installed : beside;
}

} // namespace

void LaunchHelpFile(Context& ctx, const std::string& path) {
    try {
        // A desktop without a program for HTML still gets the help, in the program's own viewer.
        if (!ctx.platform.openDocument(path) && !ctx.platform.showHelpViewer(path))
            ctx.platform.showMessageOfKind({MessageKind::Failure, "Error launching help file."});
    } catch (...) {
        // Opening the help is never worth stopping the program for.
    }
}

void btnViewHelp_Click(Context& ctx) {
    LaunchHelpFile(ctx, HelpFilePath(ctx.platform));
}

void OpenContainingFolder(Context& ctx, const std::string& folder) {
    if (!ctx.platform.openDocument(folder))
        ctx.form.setStatusText("Could not open " + folder + ": no program to show folders was found");
}

} // namespace tes
