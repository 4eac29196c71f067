#include "project/load_command.h"

#include "core/context.h"
#include "core/startup.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "project/environment_reader.h"
#include "project/load_snapshot.h"
#include "project/project_info.h"
#include "project/routine_failure.h"
#include "project/sun.h"
#include "project/vegetation_list.h"

#include <string>
#include <utility>

namespace tes {

namespace {

// The window shows the normal pointer again however the command ends.
class NormalPointerOnExit {
public:
    explicit NormalPointerOnExit(Platform& platform) : m_platform(platform) {}
    ~NormalPointerOnExit() { m_platform.setWaitCursor(DialogOwner::MainWindow, false); }
    NormalPointerOnExit(const NormalPointerOnExit&) = delete;
    NormalPointerOnExit& operator=(const NormalPointerOnExit&) = delete;

private:
    Platform& m_platform;
};

std::string AskForProjectFile(Context& ctx) {
    return ctx.platform.showFileDialog({.owner = DialogOwner::MainWindow,
                                        .title = "Open Tolvane Project File (PRJ)",
                                        .initialFolder = ctx.session.DefaultDir,
                                        .filter = "PRJ File (*.prj)|*.prj",
                                        .filterIndex = 1,
                                        .save = false,
                                        .initialFileName = {}});
}

// Runs the three readers; false when the user stopped the environment read.
bool ReadProject(Context& ctx) {
    GetProjectInfo(ctx);
    try {
        ReadEnvironmentFile(ctx);
    } catch (const Failure& failure) {
        if (IsCancellation(failure))
            return false;
        throw;
    }
    LoadVegetationList(ctx);
    return true;
}

} // namespace

void btnBrowseProjectFile_Click(Context& ctx) {
    NormalPointerOnExit normalPointer(ctx.platform);
    const std::string chosen = AskForProjectFile(ctx);
    if (chosen.empty())
        return;
    ctx.platform.setWaitCursor(DialogOwner::MainWindow, true);
    Session sessionBefore = ctx.session;

    // The project's files sit beside the chosen one and share its base name.
    const std::string folder = FolderOfPath(chosen);
    const std::string basePath = JoinPath(folder, GetBaseFileName(chosen));
    ctx.session.EnvironmentFilePath = basePath + ".txt";
    if (!ctx.platform.fileExists(ctx.session.EnvironmentFilePath)) {
        ctx.platform.showMessage("No Tolvane TXT environment file found!!");
        return;
    }

    LoadSnapshot before(ctx, std::move(sessionBefore));
    ctx.form.setText(TextField::txtProjectFilePath, chosen);
    ctx.form.setEnabled(TextField::txtProjectFilePath, true);
    ctx.session.ProjectDir = folder;
    ctx.session.DefaultDir = ctx.session.ProjectDir;
    SaveFolderSettings(ctx);
    ctx.session.SceneFilePath = basePath + ".scn";
    ctx.session.VegetationFilePath = basePath + ".est";
    ctx.session.ProjectBasePath = basePath;
    // The INI files are read afresh from disk on every lookup: there is no cached copy to drop.

    if (!ReadProject(ctx)) {
        before.restore();
        SaveFolderSettings(ctx); // the stored folders follow the session back
        return;
    }
    if (ctx.form.isChecked(CheckBox::chkFaceTolvaneSun))
        FaceTolvaneSun(ctx);
    ctx.form.setProcessEnabled(true);
}

} // namespace tes
