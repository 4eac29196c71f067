#include "cli/cli_app.h"

#include "cli/cli_options.h"
#include "cli/cli_platform.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/preview_command.h"
#include "cli/windows_process.h"
#include "lib/file_access.h"

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

constexpr const char* kUsage =
    "Usage:\n"
    "  enviro-script info    PROJECT.prj [load options]\n"
    "  enviro-script records PROJECT.prj [load options]\n"
    "  enviro-script build   PROJECT.prj (--vegetation KIND | --all [--join]) [--kinds PATH] [build options] "
    "[script options] [view options] [--no-areas] [load options]\n"
    "  enviro-script kinds   PROJECT.prj [--kinds PATH] [--seed N] [view options] [area options] [--set N "
    "[--max-file "
    "PATH] [--object NAME] [--disable] [variation options] [thinning options] [level of detail "
    "options]]\n"
    "  enviro-script preview PROJECT.prj --png OUT.png [--size WxH] [--kind N]... [--output-dir DIR] "
    "[view options] [--no-areas] [load options]\n"
    "  enviro-script combine OUTPUT.ms INPUT.ms...\n"
    "  enviro-script max-check DIR\n"
    "  enviro-script --help | --version\n"
    "View options: --view CX,CY:TX,TY [--fov DEGREES] [--margin PERCENT] [--keep-radius N] [--far N] | "
    "--no-view\n"
    "Area options: (--area \"X,Y X,Y ...\" | --areas-from FILE)... [--width N] [--include] "
    "[--area-kinds N,N] [--falloff N] | --no-area N | --no-areas\n"
    "Run 'enviro-script --help' or 'enviro-script COMMAND --help' for details.\n";

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
    CommandLine line;
    try {
        line.app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return line.app.exit(e, out, err);
        err << kProgramName << ": " << e.what() << '\n' << kUsage;
        return kExitUsage;
    }

    const bool errIsTerminal = &err == &std::cerr && isatty(STDERR_FILENO) == 1;
    CliPlatform platform(err, errIsTerminal, ExecutableFolder(argc > 0 ? argv[0] : nullptr));
    if (line.info->parsed())
        return RunInfo(line.infoOptions, platform, out);
    if (line.records->parsed())
        return RunRecords(line.recordsOptions, platform, out);
    if (line.build->parsed())
        return RunBuild(line.buildOptions, platform, out);
    if (line.kinds->parsed())
        return RunKinds(line.kindsOptions, platform, out);
    if (line.preview->parsed())
        return RunPreview(line.previewOptions, platform, out);
    if (line.maxCheck->parsed())
        return RunMaxCheck(line.maxCheckOptions, platform, out);
    return RunCombine(line.combineOptions, platform);
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
