#include "cli/cli_app.h"
#include "lib/memory_tuning.h"

#include <iostream>

int main(int argc, char** argv) {
    tes::ReturnLargeBlocksPromptly();
    return tes::cli::RunCli(argc, argv, std::cout, std::cerr);
}
