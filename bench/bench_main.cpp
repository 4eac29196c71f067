#include "lib/memory_tuning.h"
#include "short_table.h"

int main(int argc, char** argv) {
    tes::ReturnLargeBlocksPromptly(); // as the program does
    return tes::bench::RunBenchmarksWithShortTable(argc, argv);
}
