#include "form/help_launch.h"

#include "form/context.h"
#include "lib/fields.h"

namespace tes {

void LaunchHelpFile(Context& ctx, const std::string& path) {
    try {
        // A desktop without a program for HTML still gets the help, in the program's own viewer.
        if (!ctx.platform.openDocument(path) && !ctx.platform.showHelpViewer(path))
            ctx.platform.showMessage("Error launching help file.");
    } catch (...) {
        // Opening the help is never worth stopping the program for.
    }
}

void btnViewHelp_Click(Context& ctx) {
    LaunchHelpFile(ctx, JoinPath(ctx.platform.programFolder(), "TES_Help.html"));
}

} // namespace tes
