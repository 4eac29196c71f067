#pragma once

#include "cli/cli_options.h"
#include "cli/preview_command.h"

#include <CLI/CLI.hpp>

namespace tes::cli {

// The parser of enviro-script: every command with its options, each bound to the member it fills in.
// Its --help texts are the program's; the docs are checked against it.
struct CommandLine {
    CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    LoadOptions infoOptions;
    LoadOptions recordsOptions;
    BuildOptions buildOptions;
    KindsOptions kindsOptions;
    PreviewOptions previewOptions;
    CombineOptions combineOptions;
    MaxCheckOptions maxCheckOptions;

    CLI::App app;
    CLI::App* info = nullptr;
    CLI::App* records = nullptr;
    CLI::App* build = nullptr;
    CLI::App* kinds = nullptr;
    CLI::App* preview = nullptr;
    CLI::App* combine = nullptr;
    CLI::App* maxCheck = nullptr;
};

// The name of the program as its usage and messages give it.
inline constexpr const char* kProgramName = "enviro-script";

} // namespace tes::cli
