#include "lib/memory_tuning.h"

#include <cstdlib> // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tes {

void ReturnLargeBlocksPromptly() {
#if defined(__GLIBC__)
    // A fixed threshold also stops the allocator from raising it after each large block it frees.
    constexpr int kLargeBlock = 4 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
#endif
}

} // namespace tes
