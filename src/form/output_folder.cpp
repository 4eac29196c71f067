#include "form/output_folder.h"

#include "form/context.h"
#include "lib/atomic_file.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "lib/settings.h"

#include <filesystem>

namespace tes {

namespace {

constexpr const char* kSettingName = "OutputFolder";

// How a whole path begins where the program runs.
#ifdef _WIN32
constexpr const char* kWholePathHint = ": type it from its drive (C:\\...), or choose it with Browse...";
#else
constexpr const char* kWholePathHint = ": type it from the root (/...), or choose it with Browse...";
#endif

// What keeps scripts out of a folder, said after its name, and what Script Options adds to it.
struct FolderFault {
    std::string what;
    const char* hint;
};

std::optional<FolderFault> FaultOf(const std::string& folder) {
    const std::filesystem::path path = PathFromUtf8(folder);
    // A relative folder would follow wherever the program was started from.
    if (!path.is_absolute())
        return FolderFault{" is not a whole path", kWholePathHint};
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return FolderFault{" does not exist", ". Create it, or choose another with Browse..."};
    if (!std::filesystem::is_directory(path, ec))
        return FolderFault{" is a file, not a folder", "."};
    try {
        // Made beside where the scripts go and removed unwritten: the system says whether it may be.
        AtomicTextWriter probe(JoinPath(folder, "tes-write-check"));
    } catch (const Failure& failure) {
        return FolderFault{" cannot be written to: " + failure.reason(), "."};
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> OutputFolderProblem(const std::string& folder) {
    if (folder.empty())
        return std::nullopt;
    std::optional<FolderFault> fault = FaultOf(folder);
    return fault ? std::optional("The Output folder " + folder + fault->what + fault->hint) : std::nullopt;
}

std::optional<std::string> ScriptsFolderProblem(const std::string& folder) {
    std::optional<FolderFault> fault = FaultOf(folder);
    return fault ? std::optional("The folder " + folder + fault->what + ".") : std::nullopt;
}

bool CheckOutputFolder(Context& ctx, const std::string& folder) {
    const std::optional<std::string> problem = OutputFolderProblem(folder);
    if (problem)
        ctx.platform.showMessageOfKind(Refusal(*problem));
    return !problem;
}

bool OfferToCreateOutputFolder(Context& ctx) {
    const std::string& folder = ctx.outputFolder;
    if (folder.empty() || !ctx.session.SaveToFile)
        return true;
    const std::filesystem::path path = PathFromUtf8(folder);
    std::error_code ec;
    // Only a whole path is made: a relative one would land wherever the program was started from,
    // and the build names the other faults as it meets them.
    if (!path.is_absolute() || std::filesystem::exists(path, ec))
        return true;
    if (!ctx.platform.askYesNo("The Output folder " + folder + " does not exist. Create it?"))
        return false;
    std::filesystem::create_directories(path, ec);
    if (!ec && std::filesystem::is_directory(path, ec))
        return true;
    std::string why = ec ? ec.message() : std::string("a file stands in its way");
    // The system's reason goes mid-sentence.
    if (!why.empty() && why[0] >= 'A' && why[0] <= 'Z')
        why[0] = static_cast<char>(why[0] - 'A' + 'a');
    ctx.platform.showMessageOfKind({MessageKind::Failure, "Could not create the Output folder " + folder +
                                                              ": " + why + ".\n" + kChooseOutputFolder});
    return false;
}

std::string btnBrowseOutputFolder_Click(Context& ctx, const std::string& typed) {
    const std::string& start = typed.empty() ? ctx.session.ProjectDir : typed;
    const std::string chosen =
        ctx.platform.showFolderDialog("Output Folder", start.empty() ? ctx.session.DefaultDir : start);
    return chosen.empty() ? typed : chosen;
}

void SetOutputFolder(Context& ctx, const std::string& folder) {
    const bool changed = folder != ctx.outputFolder;
    ctx.outputFolder = folder;
    if (changed)
        SetRegStr(ctx.platform, kSettingName, folder, SettingsKeyPath(ctx.session.AppTitle));
    if (!folder.empty())
        ctx.form.setStatusText(ScriptsGoText(ctx));
    else if (changed)
        ctx.form.setStatusText("Scripts go beside the project");
}

std::string SavedOutputFolder(Context& ctx) {
    return GetRegStr(ctx.platform, SettingsKeyPath(ctx.session.AppTitle), kSettingName);
}

std::string ScriptsGoText(const Context& ctx) {
    return ctx.outputFolder.empty() ? std::string() : "Scripts go to " + ctx.outputFolder;
}

} // namespace tes
