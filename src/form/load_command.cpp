#include "form/load_command.h"

#include "core/load_project.h"
#include "form/context.h"
#include "form/installed_example.h"
#include "form/project_routines.h"
#include "form/startup.h"
#include "form/status_text.h"
#include "lib/fields.h"

#include <utility>

namespace tes {

namespace {

// The window shows the normal pointer again however the command ends.
class NormalPointerOnExit {
public:
    explicit NormalPointerOnExit(Platform& platform) : m_platform(platform) {}
    ~NormalPointerOnExit() { m_platform.setWaitCursor(false); }
    NormalPointerOnExit(const NormalPointerOnExit&) = delete;
    NormalPointerOnExit& operator=(const NormalPointerOnExit&) = delete;

private:
    Platform& m_platform;
};

std::string AskForProjectFile(Context& ctx) {
    return ctx.platform.showFileDialog({.title = "Open Tolvane Project File (PRJ)",
                                        .initialFolder = ctx.session.DefaultDir,
                                        .filter = "PRJ File (*.prj)|*.prj",
                                        .filterIndex = 1,
                                        .save = false,
                                        .initialFileName = {}});
}

// The window and the session take the loaded project. `note` heads the status line instead of
// "Loaded Valley.prj" when the project opened is a copy.
void ShowLoadedProject(Context& ctx, const std::string& projectPath, LoadResult& loaded,
                       const std::string& note) {
    MainModel& form = ctx.form;
    Session& session = ctx.session;
    form.setText(TextField::txtProjectFilePath, projectPath);
    form.setEnabled(TextField::txtProjectFilePath, true);
    session.ProjectDir = loaded.files.folder;
    session.DefaultDir = session.ProjectDir;
    SaveFolderSettings(ctx);
    session.SceneFilePath = loaded.files.scene;
    session.VegetationFilePath = loaded.files.definitions;
    session.ProjectBasePath = loaded.files.basePath;
    // The INI files are read afresh from disk on every lookup: there is no cached copy to drop.
    ApplyLoadFields(ctx, loaded.fields);
    form.list(ListId::List1).swap(loaded.records);
    ctx.recordLines.swap(loaded.recordLines);
    form.listChanged(ListId::List1);
    // The script shown was the last project's.
    form.list(ListId::List2).clearAndRelease();
    session.ScriptFilePath.clear();
    form.listChanged(ListId::List2);
    ApplyVegetationKinds(ctx, loaded.kinds);
    form.setProcessEnabled(true);
    const bool mainTile = form.isChecked(CheckBox::chkMainTile);
    const std::uint64_t records = form.list(ListId::List1).size();
    const std::size_t entries = form.comboItems().size();
    form.setRecordCountText(RecordsSummary(mainTile, records, entries));
    form.setStatusText((note.empty() ? LoadedStatus(projectPath, mainTile, records, entries)
                                     : note + ": " + RecordsSummary(mainTile, records, entries)) +
                       (ctx.outputFolder.empty() ? "" : "; scripts go to " + ctx.outputFolder));
}

// Reads the kinds table beside the project. Its values that cannot be read are named in one message,
// a warning (their kinds are not built), and the status line says how many there are.
void ReadKindsTable(Context& ctx, Messages& messages) {
    Messages table;
    // Looked at before the reading, so that a change made meanwhile is followed.
    ctx.kindsTableStamp = KindsTableStampOf(ctx.kindsTablePath);
    ctx.chosenKindFields.reset();
    ctx.kindsTable = KindsTable::Read(ctx.kindsTablePath, table);
    const std::size_t faults = ctx.kindsTable.damaged() ? 0 : table.size();
    if (faults == 0) {
        messages.insert(messages.end(), table.begin(), table.end());
        return;
    }
    std::string text = "Some values in " + ctx.kindsTable.fileName() + " cannot be read:";
    for (const Message& fault : table)
        text += "\n" + fault.text;
    text += "\n\nTheir kinds are not built until the values are mended (Kinds... or the file itself).";
    messages.push_back(Refusal(std::move(text)));
    ctx.form.setStatusText(std::string(ctx.form.statusText()) + "; " + UnreadableValuesText(ctx.kindsTable));
}

} // namespace

Messages btnBrowseProjectFile_Click(Context& ctx) {
    const std::string chosen = AskForProjectFile(ctx);
    if (chosen.empty()) {
        ctx.platform.setWaitCursor(false);
        return {};
    }
    return OpenProject(ctx, chosen);
}

Messages OpenProject(Context& ctx, const std::string& chosenPath) {
    // The installed example is opened from the user's own copy: on Windows it lies in the program's
    // folder, on Linux in share/tolvane-enviro-scripter beside the program's bin/.
    const std::string programFolder = ctx.platform.programFolder();
    ProjectToOpen project =
        ProjectOutsideProgramFolder(chosenPath, programFolder, ctx.platform.documentsFolder());
    if (project.note.empty() && project.path == chosenPath)
        project = ProjectOutsideProgramFolder(chosenPath,
                                              JoinPath(programFolder, "../share/tolvane-enviro-scripter"),
                                              ctx.platform.documentsFolder());
    if (project.path.empty()) {
        ShowMessages(ctx.platform, project.messages);
        return std::move(project.messages);
    }
    const std::string& projectPath = project.path;
    NormalPointerOnExit normalPointer(ctx.platform);
    ctx.platform.setWaitCursor(true);
    LoadRequest request;
    request.projectPath = projectPath;
    request.tile = TileOptionsFromForm(ctx);
    request.faceSun = ctx.form.isChecked(CheckBox::chkFaceTolvaneSun);
    request.fields = LoadFieldsFromForm(ctx);
    request.progress = &ctx.platform;
    LoadResult loaded = LoadProject(request);
    switch (loaded.outcome) {
    case LoadOutcome::Cancelled:
        return {}; // a load the user stopped leaves everything as it was
    case LoadOutcome::Refused:
        // The environment file's path is kept even so; the rest stays as an earlier load left it.
        ctx.session.EnvironmentFilePath = loaded.files.environment;
        ctx.form.setStatusText(NotLoadedStatus(projectPath, loaded.files.environment));
        break;
    case LoadOutcome::Loaded:
        ctx.session.EnvironmentFilePath = loaded.files.environment;
        ShowLoadedProject(ctx, projectPath, loaded, project.note);
        // The Max files chosen for the project's kinds, kept beside it.
        ctx.kindsTablePath = KindsTable::PathFor(loaded.files.basePath);
        ReadKindsTable(ctx, loaded.messages);
        break;
    }
    ShowMessages(ctx.platform, loaded.messages);
    return std::move(loaded.messages);
}

} // namespace tes
