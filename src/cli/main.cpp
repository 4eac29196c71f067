#include "cli/cli_app.h"
#include "cli/windows_process.h"
#include "lib/memory_tuning.h"

#include <iostream>

namespace {

int Run(int argc, const char* const* argv) {
    tes::ReturnLargeBlocksPromptly();
    return tes::cli::RunCli(argc, argv, std::cout, std::cerr);
}

} // namespace

#ifdef _WIN32
// The arguments come as UTF-16 (the executable is linked with -municode) and go on as UTF-8.
int wmain(int argc, wchar_t** argv) {
    const tes::cli::Utf8Arguments arguments(argc, argv);
    return Run(arguments.count(), arguments.values());
}
#else
int main(int argc, char** argv) {
    return Run(argc, argv);
}
#endif
