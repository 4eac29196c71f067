#include "cli/cli_app.h"

#include <iostream>

int main(int argc, char** argv) {
    return tes::cli::RunCli(argc, argv, std::cout, std::cerr);
}
