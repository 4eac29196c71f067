#include "cli/command_line.h"

#include "cli/area_options.h"
#include "cli/kind_key_options.h"
#include "cli/number_options.h"
#include "cli/path_checks.h"
#include "cli/variation_options.h"
#include "cli/view_options.h"
#include "core/place/field_rules.h"
#include "lib/fields.h"
#include "lib/numbers.h"
#include "lib/version.h"

#include <cstddef>
#include <memory>
#include <sstream>

namespace tes::cli {

namespace {

// Each option shows what it takes and nothing else: the parser would add its checks' names
// ("FILE:FILE") and the options it needs or excludes, which the descriptions say in words.
class HelpFormatter final : public CLI::Formatter {
public:
    std::string make_option_opts(const CLI::Option* option) const override {
        std::ostringstream out;
        if (option->get_type_size() == 0)
            return {};
        if (!option->get_type_name().empty())
            out << ' ' << option->get_type_name();
        if (option->get_expected_max() == CLI::detail::expected_max_vector_size)
            out << " ...";
        if (option->get_required())
            out << ' ' << get_label("REQUIRED");
        return out.str();
    }
};

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

CLI::Validator WholeNumber() {
    return CLI::Validator(
        [](std::string& value) -> std::string {
            // Digits only, and not all of them zeros: kinds are numbered from 1.
            return IsDigitsOnly(value) && value.find_first_not_of('0') != std::string::npos
                       ? std::string()
                       : std::string("must be a kind's number, 1 or more");
        },
        "");
}

CLI::Option* AddText(CLI::App& app, const std::string& name, std::optional<std::string>& target,
                     const std::string& placeholder, const std::string& help) {
    return app
        .add_option_function<std::string>(
            name, [&target](const std::string& v) { target = v; }, help)
        ->type_name(placeholder);
}

// --kinds PATH of every command that takes it: a table that is not there is refused alike, before
// anything is read or written.
CLI::Option* AddKindsFileOption(CLI::App& app, std::optional<std::string>& kindsFile) {
    return AddText(app, "--kinds", kindsFile, "PATH", "Use this kinds table instead of PROJECT.tes.ini")
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
    const char* group = "Load options";
    app.add_flag("--perimeter", load.perimeter, "Use the perimeter tile instead of the main tile")
        ->group(group);
    AddText(app, "--overlap", load.overlap, "N",
            "Margin added around the tile, in terrain units: 0 or more (default 0)")
        ->check(FieldLength(5))
        ->check(NumberIn({0, kNoUpperBound}))
        ->group(group);
    AddText(app, "--grid-size", load.gridSize, "N",
            "3ds Max grid size the tile is scaled to: 1 or more (default 256); the object scale follows "
            "from it")
        ->check(FieldLength(4))
        ->check(NumberIn({kGridSizeRule.lower, kGridSizeRule.upper}))
        ->group(group);
    AddText(app, "--object-scale", load.objectScale, "PERCENT",
            "Scale objects by this percentage instead: 0.1 or more; the grid size then follows from it")
        ->check(FieldLength(11))
        ->check(NumberIn({kObjectScaleRule.lower, kObjectScaleRule.upper}))
        ->group(group);
    AddText(app, "--rotation-angle", load.rotationAngle, "DEGREES",
            "Turn objects by this angle in degrees instead of facing the sun")
        ->check(NumberIn(kAnyNumber))
        ->group(group);
    app.add_flag("--no-rotate", load.noRotate, "Do not turn the objects at all")->group(group);
    AddText(app, "--heading", load.heading, "DEGREES",
            "Use this sun heading in degrees (0 to 359.9) instead of the scene's; objects face it")
        ->check(FieldLength(5))
        ->check(NumberIn({kHeadingRule.lower, kHeadingRule.upper}))
        ->group(group);
}

void AddBuildOptions(CLI::App& app, BuildOptions& build) {
    const char* group = "Build options";
    AddText(app, "--vegetation", build.vegetation, "KIND",
            "The vegetation kind to write a script for: its number (5), or an entry as 'info' lists it; "
            "its row in the kinds table applies as with --all")
        ->group(group);
    CLI::Option* all =
        app.add_flag("--all", build.all,
                     "Write one script for every vegetation kind on the tile, each with the Max file and "
                     "object of its row in the kinds table PROJECT.tes.ini when there is one")
            ->group(group);
    AddKindsFileOption(app, build.kindsFile)->group(group);
    // Exactly one of the two: which scripts to write is the point of the command.
    app.callback([&build] {
        if (!build.vegetation && !build.all)
            throw CLI::RequiredError("--vegetation or --all");
        if (build.vegetation && build.all)
            throw CLI::ValidationError("--vegetation and --all exclude each other");
        CheckViewOptions(build.views);
    });
    AddViewOptions(app, build.views, ViewScope::Run);
    AddRunAreaOption(app, build.noAreas);

    AddText(app, "--max-file", build.maxFile, "PATH",
            "The 3ds Max file to merge the object from; the object takes its name from the file name. "
            "Only for the kinds whose row in the kinds table names no Max file")
        ->group(group);
    AddText(app, "--object", build.objectName, "NAME",
            "The object's name inside the --max-file, if it differs; like it, only for the kinds whose "
            "row names no Max file")
        ->group(group);
    AddText(app, "--vertical-scale", build.verticalScale, "N",
            "Factor applied to every height (default 1.000)")
        ->check(NumberIn(kAnyNumber))
        ->group(group);
    AddText(app, "--vertical-offset", build.verticalOffset, "N", "Added to every height (default 0.000000)")
        ->check(NumberIn(kAnyNumber))
        ->group(group);
    CLI::Option* noSave =
        app.add_flag("--no-save", build.noSave,
                     "Print the scripts instead of writing .ms files; not with --cache or --join")
            ->group(group);
    AddSeedOption(app, build.seed,
                  "Vary the plants with this seed instead of the kinds table's, for this run");
    AddText(app, "--output-dir", build.outputDir, "DIR",
            "Write the scripts into this folder instead of beside the project (the kinds table stays there)")
        ->check(ExistingFolder())
        ->group(group);
    app.add_flag("--join", build.join,
                 "With --all: also join the scripts written into PROJECT_MainVeg_All.ms (or _PerVeg_All.ms), "
                 "as Process All's join box does, and with --cache the kinds' point caches into "
                 "_All.prt and _All.csv; printed after the others")
        ->needs(all)
        ->excludes(noSave)
        ->group(group);
    app.add_flag(
           "--fast", build.fast,
           "Fast script for 3ds Max 2011 and later: one merge, the positions as data, one loop, no undo")
        ->group("Script options");
    app.add_flag("--instances", build.instances,
                 "Instances instead of copies: every plant shares one geometry")
        ->group("Script options");
    app.add_flag("--utf8", build.utf8, "UTF-8 script (3ds Max 2013 and later): any name or path survives")
        ->group("Script options");
    AddText(app, "--cache", build.cache, "prt|csv|both",
            "Also write each script's objects as a point cache beside it (PRT, Thinkbox CSV or both), "
            "for particle tools that place millions of plants; not with --no-save")
        ->check(CLI::IsMember({"prt", "csv", "both"}).description(""))
        ->excludes(noSave)
        ->group("Script options");
}

void AddKindsOptions(CLI::App& app, KindsOptions& kinds) {
    AddKindsFileOption(app, kinds.kindsFile);
    CLI::Option* set = AddText(app, "--set", kinds.set, "N",
                               "Change the row of this kind (its number), adding it when there is none, "
                               "write the table and print the row as it then stands; the row, variation, "
                               "thinning and level of detail options need it")
                           ->check(WholeNumber())
                           ->group("Row options");
    AddKindKeyOptions(app, kinds, set);
    AddViewOptions(app, kinds.views, ViewScope::Table);
    AddAreaOptions(app, kinds.areas);
    app.callback([&kinds] {
        CheckViewOptions(kinds.views);
        CheckAreaOptions(kinds.areas);
    });
    AddSeedOption(app, kinds.seed,
                  "Set the project's seed of the plants' variation, kept in the kinds table (default 1)");
    AddKindKeySwitches(app, kinds, set);
}

} // namespace

CommandLine::CommandLine()
    : app("Writes 3ds Max placement scripts for the vegetation of a Tolvane terrain project, as the "
          "Tolvane Enviro Scripter window does.",
          kProgramName) {
    // Before the commands are added: each takes its parent's formatter.
    app.formatter(std::make_shared<HelpFormatter>());
    app.set_version_flag("--version", std::string(kProgramName) + " " + kVersion,
                         "Show the program's version and exit");
    app.set_help_flag("-h,--help", "Show this help and exit");
    // The options are spelled alike on every system: on Windows, too, a name starting with '/' is a path.
    app.allow_windows_style_options(false);
    app.require_subcommand(1);
    app.footer("Messages of the commands are written to standard error. A project file, environment file or "
               "kinds table that is a pipe, a folder or a device is refused, never waited on. Exit status: 0 "
               "done, 1 a message ended the command, 2 wrong arguments.\nRun 'enviro-script COMMAND --help' "
               "for the options of "
               "a command.");

    info = app.add_subcommand("info", "Load the project and show its tile, sun, grid and vegetation");
    AddLoadOptions(*info, infoOptions);

    records = app.add_subcommand("records", "Load the project and print the records kept for the tile");
    AddLoadOptions(*records, recordsOptions);

    build = app.add_subcommand(
        "build",
        "Load the project and write a placement script (PROJECT_MainVeg_NN.ms or PROJECT_PerVeg_NN.ms "
        "next to it) for one or every vegetation kind; prints the files written");
    AddLoadOptions(*build, buildOptions.load);
    AddBuildOptions(*build, buildOptions);

    kinds = app.add_subcommand(
        "kinds",
        "Load the project and print its kinds table (PROJECT.tes.ini) joined with the tile's "
        "kinds, one tab-separated line each: number, name, records, " +
            KindColumnsHelp() +
            "; then a line 'seed' and the project's seed, a line 'view' for each view: its number, "
            "CX,CY:TX,TY, fov, margin, keep radius and far, and a line 'area' for each area: its number, "
            "points, 'closed' or its width, exclude or include, its kinds and falloff. A value that cannot "
            "be read shows as the file has it; a view or area that cannot be read shows 'cannot be read', "
            "why and its lines as written, each behind a tab. Or change one row with --set, the views "
            "with --view, --add-view and --no-view, or the areas with --area, --no-area and --no-areas");
    AddLoadOptions(*kinds, kindsOptions.load);
    AddKindsOptions(*kinds, kindsOptions);

    preview = app.add_subcommand(
        "preview", "Load the project and draw the tile from above as the scripts place its records (each "
                   "kind in its colour, the overlap, the sun, a legend) into a PNG file; prints the file. "
                   "While a view of the kinds table cannot be read it shows every plant and exits with 1");
    AddLoadOptions(*preview, previewOptions.load);
    AddPreviewOptions(*preview, previewOptions);
    AddViewOptions(*preview, previewOptions.views, ViewScope::Run);
    AddRunAreaOption(*preview, previewOptions.noAreas);
    preview->callback([this] { CheckViewOptions(previewOptions.views); });

    combine = app.add_subcommand("combine", "Join MAXScript files into one, in the order given");
    combine
        ->add_option("OUTPUT.ms", combineOptions.output,
                     "The combined script to write (replaced if it exists)")
        ->type_name("")
        ->required();
    combine->add_option("INPUT.ms", combineOptions.inputs, "The scripts to join")->type_name("")->required();

    maxCheck = app.add_subcommand(
        "max-check",
        "Write a check of 3ds Max into DIR (made when missing): a small project, the scripts "
        "built for it and MaxCheck_Test.ms, which, run in 3ds Max in an empty scene, makes its "
        "models, runs the scripts and prints PASS or FAIL for each check; prints the files written");
    maxCheck->add_option("DIR", maxCheckOptions.folder, "The folder to write into")
        ->type_name("")
        ->required();
}

} // namespace tes::cli
