// tes-generate-project: writes a synthetic Tolvane project (.prj, .scn, .est and an environment file
// of any size) for examples, manual tests and benchmarks.
#include "environment_generator.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <output folder> <base name> <record count> <seed>\n", argv[0]);
        return 2;
    }
    try {
        const auto records = std::stoull(argv[3]);
        const auto seed = std::stoull(argv[4]);
        const auto files = tes::generator::WriteSyntheticProject(argv[1], argv[2], records, seed);
        std::printf("%s: %llu records, %llu bytes\n", files.environmentPath.c_str(),
                    static_cast<unsigned long long>(records),
                    static_cast<unsigned long long>(files.environmentBytes));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tes-generate-project: %s\n", e.what());
        return 1;
    }
    return 0;
}
