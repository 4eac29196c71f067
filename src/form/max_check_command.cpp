#include "form/max_check_command.h"

#include "form/context.h"
#include "lib/fields.h"

namespace tes {

MaxCheckResult mnuWriteMaxCheck_Click(Context& ctx) {
    const std::string& start =
        ctx.session.ProjectDir.empty() ? ctx.session.DefaultDir : ctx.session.ProjectDir;
    const std::string chosen =
        ctx.platform.showFolderDialog("Write a 3ds Max check into a folder MaxCheck made in", start);
    if (chosen.empty())
        return {};
    ctx.platform.setWaitCursor(true);
    MaxCheckResult check = WriteMaxCheck(JoinPath(chosen, kMaxCheckFolder));
    ctx.platform.setWaitCursor(false);
    for (const Message& message : check.messages)
        ctx.platform.showMessageOfKind(message);
    if (!check.testScript.empty())
        ctx.platform.showMessageOfKind(Notice(
            "Wrote the 3ds Max check into " + check.folder + ".\n\nIn 3ds Max, reset the scene and run " +
            GetFileNameFromPath(check.testScript) +
            " from there (Scripting > Run Script...): it prints PASS or FAIL for each check in the MAXScript "
            "Listener. README.txt in that folder says what to send when a check fails."));
    return check;
}

} // namespace tes
