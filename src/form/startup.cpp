#include "form/startup.h"

#include "form/context.h"
#include "form/output_folder.h"
#include "lib/numbers.h"
#include "lib/settings.h"

#include <cmath>

namespace tes {

namespace {

// A saved folder; before any is saved, the user's documents (the program's own folder is no place
// for projects, and may not be written to), or the program's folder where there are none.
std::string SavedFolder(Context& ctx, const char* valueName) {
    std::string folder = GetRegStr(ctx.platform, SettingsKeyPath(ctx.session.AppTitle), valueName);
    if (folder.empty())
        folder = ctx.platform.documentsFolder();
    if (folder.empty())
        folder = ctx.platform.programFolder();
    return folder;
}

} // namespace

void StartSession(Context& ctx) {
    Session& session = ctx.session;
    session.Pi = 4 * std::atan(1.0);
    session.AppTitle = kAppTitle;
    session.DefaultDir = SavedFolder(ctx, "DefaultDir");
    session.ObjectDir = SavedFolder(ctx, "ObjectDir");
    ctx.scriptStyle = SavedScriptStyle(ctx);
    ctx.outputFolder = SavedOutputFolder(ctx);
    // Scripts going elsewhere than beside the project is said from the start.
    ctx.form.setStatusText(ScriptsGoText(ctx));
    ctx.joinAllScripts = SavedJoinAllScripts(ctx);
    // The box's own handler sets the save flag as well.
    ctx.form.setCheck(CheckBox::chkSave, kChecked);
    ctx.form.setVersionCaption(kVersion);
    session.SaveToFile = true;
}

void SaveFolderSettings(Context& ctx) {
    const std::string keyPath = SettingsKeyPath(ctx.session.AppTitle);
    SetRegStr(ctx.platform, "DefaultDir", ctx.session.DefaultDir, keyPath);
    SetRegStr(ctx.platform, "ObjectDir", ctx.session.ObjectDir, keyPath);
}

WindowSize SavedWindowSize(Context& ctx) {
    const std::string keyPath = SettingsKeyPath(ctx.session.AppTitle);
    const auto read = [&](const char* name) {
        const double value = LeadingNumberValue(GetRegStr(ctx.platform, keyPath, name));
        return value >= 1 && value <= 100000 ? static_cast<int>(value) : 0;
    };
    return {read("WindowWidth"), read("WindowHeight")};
}

void SaveWindowSize(Context& ctx, WindowSize size) {
    const std::string keyPath = SettingsKeyPath(ctx.session.AppTitle);
    SetRegStr(ctx.platform, "WindowWidth", std::to_string(size.width), keyPath);
    SetRegStr(ctx.platform, "WindowHeight", std::to_string(size.height), keyPath);
}

ScriptStyle SavedScriptStyle(Context& ctx) {
    const std::string keyPath = SettingsKeyPath(ctx.session.AppTitle);
    const auto on = [&](const char* name) { return GetRegStr(ctx.platform, keyPath, name) == "1"; };
    ScriptStyle style;
    style.shape = on("FastScript") ? ScriptShape::Fast : ScriptShape::Classic;
    style.instances = on("Instances");
    style.utf8 = on("Utf8Script");
    const std::string cache = GetRegStr(ctx.platform, keyPath, "PointCache");
    style.cache = cache == "prt"    ? PointCache::Prt
                  : cache == "csv"  ? PointCache::Csv
                  : cache == "both" ? PointCache::Both
                                    : PointCache::None;
    return style;
}

void SaveScriptStyle(Context& ctx, const ScriptStyle& style) {
    const std::string keyPath = SettingsKeyPath(ctx.session.AppTitle);
    SetRegStr(ctx.platform, "FastScript", style.shape == ScriptShape::Fast ? "1" : "0", keyPath);
    SetRegStr(ctx.platform, "Instances", style.instances ? "1" : "0", keyPath);
    SetRegStr(ctx.platform, "Utf8Script", style.utf8 ? "1" : "0", keyPath);
    // Written once a cache has been chosen, so that the settings of those who never do stay as they were.
    constexpr const char* kCaches[] = {"none", "prt", "csv", "both"};
    if (style.cache != PointCache::None || !GetRegStr(ctx.platform, keyPath, "PointCache").empty())
        SetRegStr(ctx.platform, "PointCache", kCaches[static_cast<int>(style.cache)], keyPath);
}

bool SavedJoinAllScripts(Context& ctx) {
    return GetRegStr(ctx.platform, SettingsKeyPath(ctx.session.AppTitle), "JoinAllScripts") == "1";
}

void SaveJoinAllScripts(Context& ctx, bool join) {
    SetRegStr(ctx.platform, "JoinAllScripts", join ? "1" : "0", SettingsKeyPath(ctx.session.AppTitle));
}

bool BeginEndProgram(Context& ctx) {
    if (ctx.ended)
        return false;
    ctx.ended = true;
    return true;
}

} // namespace tes
