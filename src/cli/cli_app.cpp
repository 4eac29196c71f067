#include "cli/cli_app.h"

#include "cli/cli_options.h"
#include "cli/cli_platform.h"
#include "cli/commands.h"
#include "cli/number_options.h"
#include "cli/preview_command.h"
#include "cli/variation_options.h"
#include "cli/view_options.h"
#include "cli/windows_process.h"
#include "core/field_rules.h"
#include "lib/file_access.h"
#include "lib/numbers.h"
#include "lib/version.h"

#include <CLI/CLI.hpp>
#include <cstddef>
#include <exception>
#include <filesystem>
#include <iostream>
#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

namespace tes::cli {

namespace {

constexpr const char* kProgramName = "enviro-script";

constexpr const char* kUsage =
    "Usage:\n"
    "  enviro-script info    PROJECT.prj [load options]\n"
    "  enviro-script records PROJECT.prj [load options]\n"
    "  enviro-script build   PROJECT.prj (--vegetation KIND | --all) [--kinds FILE] [build options] "
    "[view options]\n"
    "  enviro-script kinds   PROJECT.prj [--kinds FILE] [--seed N] [view options] [--set N [--max-file "
    "PATH] [--object NAME] [--disable] [variation options] [thinning options] [level of detail "
    "options]]\n"
    "  enviro-script preview PROJECT.prj --png OUT.png [--size WxH] [--kind N]... [--output-dir DIR] "
    "[view options] [load options]\n"
    "  enviro-script combine OUTPUT.ms INPUT.ms...\n"
    "  enviro-script --help | --version\n"
    "View options: --view CX,CY:TX,TY [--fov F] [--margin M] [--keep-radius R] [--far D] | --no-view\n"
    "Run 'enviro-script --help' or 'enviro-script COMMAND --help' for details.\n";

// CLI11's own check hands the name to the file system as narrow text, which Windows reads in the ANSI
// code page; this one reads it as UTF-8, like every file name of the program.
CLI::Validator ExistingFile() {
    return CLI::Validator(
        [](std::string& name) {
            std::error_code error;
            const std::filesystem::file_status status = std::filesystem::status(PathFromUtf8(name), error);
            if (error || !std::filesystem::exists(status))
                return "File does not exist: " + name;
            if (std::filesystem::is_directory(status))
                return "File is actually a directory: " + name;
            return std::string();
        },
        "FILE");
}

// The window's fields take only so many characters; a longer value could not have been typed there.
CLI::Validator FieldLength(std::size_t maxLength) {
    return CLI::Validator(
        [maxLength](std::string& value) -> std::string {
            std::size_t characters = 0;
            for (unsigned char c : value)
                characters += (c & 0xC0) != 0x80; // UTF-8 lead bytes
            if (characters <= maxLength)
                return {};
            return "takes at most " + std::to_string(maxLength) + " characters";
        },
        "");
}

// A kinds table's value is one line of it.
CLI::Validator OneLine() {
    return CLI::Validator(
        [](std::string& value) -> std::string {
            return value.find_first_of("\r\n") == std::string::npos ? std::string()
                                                                    : std::string("must be one line");
        },
        "");
}

CLI::Validator WholeNumber() {
    return CLI::Validator(
        [](std::string& value) -> std::string {
            return IsDigitsOnly(value) ? std::string() : std::string("must be a kind's number");
        },
        "");
}

CLI::Option* AddText(CLI::App& app, const std::string& name, std::optional<std::string>& target,
                     const std::string& help) {
    return app
        .add_option_function<std::string>(
            name, [&target](const std::string& v) { target = v; }, help)
        ->type_name("TEXT");
}

// --kinds FILE of every command that takes it: a table that is not there is refused alike, before
// anything is read or written.
CLI::Option* AddKindsFileOption(CLI::App& app, std::optional<std::string>& kindsFile) {
    return AddText(app, "--kinds", kindsFile, "Use this kinds table instead of PROJECT.tes.ini")
        ->type_name("FILE")
        ->check(OneLine())
        ->check(ExistingFile());
}

void AddLoadOptions(CLI::App& app, LoadOptions& load) {
    app.add_option(
           "PROJECT.prj", load.project,
           "The Tolvane project file; its folder holds the .txt, .scn and .est files of the same name")
        ->required()
        ->check(
            [](const std::string& path) { return path.empty() ? std::string("is empty") : std::string(); })
        ->type_name("");
    app.add_flag("--perimeter", load.perimeter, "Use the perimeter tile instead of the main tile")
        ->group("Load options");
    AddText(app, "--overlap", load.overlap,
            "Margin added around the tile, in terrain units: 0 or more (default 0)")
        ->check(FieldLength(5))
        ->check(NumberIn({0, kNoUpperBound}))
        ->group("Load options");
    AddText(app, "--grid-size", load.gridSize,
            "3ds Max grid size the tile is scaled to: 1 or more (default 256); the object scale follows "
            "from it")
        ->check(FieldLength(4))
        ->check(NumberIn({kGridSizeRule.lower, kGridSizeRule.upper}))
        ->group("Load options");
    AddText(app, "--object-scale", load.objectScale,
            "Scale objects by this percentage instead: 0.1 or more; the grid size then follows from it")
        ->check(FieldLength(11))
        ->check(NumberIn({kObjectScaleRule.lower, kObjectScaleRule.upper}))
        ->group("Load options");
    AddText(app, "--rotation-angle", load.rotationAngle,
            "Turn objects by this angle in degrees instead of facing the sun")
        ->check(NumberIn(kAnyNumber))
        ->group("Load options");
    app.add_flag("--no-rotate", load.noRotate, "Do not turn the objects at all")->group("Load options");
    AddText(app, "--heading", load.heading,
            "Use this sun heading in degrees (0 to 359.9) instead of the scene's; objects face it")
        ->check(FieldLength(5))
        ->check(NumberIn({kHeadingRule.lower, kHeadingRule.upper}))
        ->group("Load options");
}

void AddBuildOptions(CLI::App& app, BuildOptions& build) {
    AddText(app, "--vegetation", build.vegetation,
            "The vegetation kind to write a script for: its number (5), or an entry as 'info' lists it; "
            "its row in the kinds table applies as with --all")
        ->type_name("KIND")
        ->group("Build options");
    app.add_flag("--all", build.all,
                 "Write one script for every vegetation kind on the tile, each with the Max file and "
                 "object of its row in the kinds table PROJECT.tes.ini when there is one")
        ->group("Build options");
    AddKindsFileOption(app, build.kindsFile)->group("Build options");
    // Exactly one of the two: which scripts to write is the point of the command.
    app.callback([&build] {
        if (!build.vegetation && !build.all)
            throw CLI::RequiredError("--vegetation or --all");
        if (build.vegetation && build.all)
            throw CLI::ValidationError("--vegetation and --all exclude each other");
        CheckViewOptions(build.views);
    });
    AddViewOptions(app, build.views, ViewScope::Run);

    AddText(app, "--max-file", build.maxFile,
            "The 3ds Max file to merge the object from; the object takes its name from the file name. "
            "Only for the kinds whose row in the kinds table names no Max file")
        ->type_name("PATH")
        ->group("Build options");
    AddText(app, "--object", build.objectName,
            "The object's name inside the --max-file, if it differs; like it, only for the kinds whose "
            "row names no Max file")
        ->type_name("NAME")
        ->group("Build options");
    AddText(app, "--vertical-scale", build.verticalScale, "Factor applied to every height (default 1.000)")
        ->check(NumberIn(kAnyNumber))
        ->group("Build options");
    AddText(app, "--vertical-offset", build.verticalOffset, "Added to every height (default 0.000000)")
        ->check(NumberIn(kAnyNumber))
        ->group("Build options");
    CLI::Option* noSave =
        app.add_flag("--no-save", build.noSave, "Print the scripts instead of writing .ms files")
            ->group("Build options");
    AddSeedOption(app, build.seed,
                  "Vary the plants with this seed instead of the kinds table's, for this run");
    AddText(app, "--output-dir", build.outputDir,
            "Write the scripts into this folder instead of beside the project (the kinds table stays there)")
        ->type_name("DIR")
        ->check(CLI::ExistingDirectory)
        ->group("Build options");
    app.add_flag(
           "--fast", build.fast,
           "Fast script for 3ds Max 2010 and later: one merge, the positions as data, one loop, no undo")
        ->group("Script options");
    app.add_flag("--instances", build.instances,
                 "Instances instead of copies: every plant shares one geometry")
        ->group("Script options");
    app.add_flag("--utf8", build.utf8, "UTF-8 script (3ds Max 2013 and later): any name or path survives")
        ->group("Script options");
    AddText(app, "--cache", build.cache,
            "Also write each script's objects as a point cache beside it (PRT, Thinkbox CSV or both), "
            "for particle tools that place millions of plants")
        ->type_name("prt|csv|both")
        ->check(CLI::IsMember({"prt", "csv", "both"}))
        ->excludes(noSave)
        ->group("Script options");
}

void AddKindsOptions(CLI::App& app, KindsOptions& kinds) {
    AddKindsFileOption(app, kinds.kindsFile);
    CLI::Option* set = AddText(app, "--set", kinds.set,
                               "Change the row of this kind (its number), adding it when there is none, "
                               "and write the table")
                           ->type_name("N")
                           ->check(WholeNumber())
                           ->group("Row options");
    AddText(app, "--max-file", kinds.maxFile, "The kind's 3ds Max file (default: the row keeps its file)")
        ->type_name("PATH")
        ->check(OneLine())
        ->needs(set)
        ->group("Row options");
    AddText(app, "--object", kinds.objectName,
            "The object's name inside the Max file; empty: the Max file's name (default: the row keeps it)")
        ->type_name("NAME")
        ->check(OneLine())
        ->needs(set)
        ->group("Row options");
    AddVariationOptions(app, kinds, set);
    AddThinningOptions(app, kinds, set);
    AddDetailOptions(app, kinds, set);
    AddViewOptions(app, kinds.views, ViewScope::Table);
    app.callback([&kinds] { CheckViewOptions(kinds.views); });
    AddSeedOption(app, kinds.seed,
                  "Set the project's seed of the plants' variation, kept in the kinds table (default 1)");
    app.add_flag("--disable", kinds.disable,
                 "Leave the kind out of build --all (without it, --set enables the row)")
        ->needs(set)
        ->group("Row options");
}

// The folder of the running executable, where the window's program finds its help file too.
std::string ExecutableFolder(const char* argv0) {
    std::error_code error;
#ifdef _WIN32
    std::filesystem::path exe = PathFromUtf8(ProgramFilePath());
#else
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
#endif
    if ((error || exe.empty()) && argv0 != nullptr)
        exe = std::filesystem::absolute(PathFromUtf8(argv0), error);
    return Utf8FromPath(exe.parent_path());
}

int ParseAndRun(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app("Writes 3ds Max placement scripts for the vegetation of a Tolvane terrain project, as the "
                 "Tolvane Enviro Scripter window does.",
                 kProgramName);
    app.set_version_flag("--version", std::string(kProgramName) + " " + kVersion,
                         "Show the program's version and exit");
    app.set_help_flag("-h,--help", "Show this help and exit");
    // The options are spelled alike on every system: on Windows, too, a name starting with '/' is a path.
    app.allow_windows_style_options(false);
    app.require_subcommand(1);
    app.footer("Messages of the commands are written to standard error. Exit status: 0 done, 1 a message "
               "ended the command, 2 wrong arguments.\nRun 'enviro-script COMMAND --help' for the options of "
               "a command.");

    LoadOptions infoOptions;
    CLI::App* info =
        app.add_subcommand("info", "Load the project and show its tile, sun, grid and vegetation");
    AddLoadOptions(*info, infoOptions);

    LoadOptions recordsOptions;
    CLI::App* records =
        app.add_subcommand("records", "Load the project and print the records kept for the tile");
    AddLoadOptions(*records, recordsOptions);

    BuildOptions buildOptions;
    CLI::App* build = app.add_subcommand(
        "build",
        "Load the project and write a placement script (PROJECT_MainVeg_NN.ms or PROJECT_PerVeg_NN.ms "
        "next to it) for one or every vegetation kind; prints the files written");
    AddLoadOptions(*build, buildOptions.load);
    AddBuildOptions(*build, buildOptions);

    KindsOptions kindsOptions;
    CLI::App* kinds = app.add_subcommand(
        "kinds", "Load the project and print its kinds table (PROJECT.tes.ini) joined with the tile's "
                 "kinds, one tab-separated line each: number, name, records, Max file, object, enabled, "
                 "turn, scale, weight, variants (\"; \" between them), keep, thin beyond, keep far, far "
                 "model, far from, box from; then a "
                 "line 'seed' and the project's seed, and a line 'view' for each view: its number, "
                 "CX,CY:TX,TY, fov, margin, keep radius and far. A value that cannot be read shows as "
                 "the file has it. Or change one row with --set, or the views with --view, --add-view "
                 "and --no-view");
    AddLoadOptions(*kinds, kindsOptions.load);
    AddKindsOptions(*kinds, kindsOptions);

    PreviewOptions previewOptions;
    CLI::App* preview = app.add_subcommand(
        "preview", "Load the project and draw the tile from above as the scripts place its records (each "
                   "kind in its colour, the overlap, the sun, a legend) into a PNG file; prints the file");
    AddLoadOptions(*preview, previewOptions.load);
    AddPreviewOptions(*preview, previewOptions);
    AddViewOptions(*preview, previewOptions.views, ViewScope::Run);
    preview->callback([&previewOptions] { CheckViewOptions(previewOptions.views); });

    CombineOptions combineOptions;
    CLI::App* combine = app.add_subcommand("combine", "Join MAXScript files into one, in the order given");
    combine
        ->add_option("OUTPUT.ms", combineOptions.output,
                     "The combined script to write (replaced if it exists)")
        ->required();
    combine->add_option("INPUT.ms", combineOptions.inputs, "The scripts to join")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(e, out, err);
        err << kProgramName << ": " << e.what() << '\n' << kUsage;
        return kExitUsage;
    }

    const bool errIsTerminal = &err == &std::cerr && isatty(STDERR_FILENO) == 1;
    CliPlatform platform(err, errIsTerminal, ExecutableFolder(argc > 0 ? argv[0] : nullptr));
    if (info->parsed())
        return RunInfo(infoOptions, platform, out);
    if (records->parsed())
        return RunRecords(recordsOptions, platform, out);
    if (build->parsed())
        return RunBuild(buildOptions, platform, out);
    if (kinds->parsed())
        return RunKinds(kindsOptions, platform, out);
    if (preview->parsed())
        return RunPreview(previewOptions, platform, out);
    return RunCombine(combineOptions, platform);
}

} // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    try {
        const int status = ParseAndRun(argc, argv, out, err);
        // A pipeline must not take a cut-off result for a whole one.
        if (!out.flush()) {
            err << kProgramName << ": cannot write the output\n";
            return kExitFailed;
        }
        return status;
    } catch (const std::exception& e) {
        err << kProgramName << ": unexpected failure: " << e.what() << '\n';
    } catch (...) {
        err << kProgramName << ": unexpected failure\n";
    }
    return kExitFailed;
}

} // namespace tes::cli
