#include "short_table.h"

int main(int argc, char** argv) {
    return tes::bench::RunBenchmarksWithShortTable(argc, argv);
}
