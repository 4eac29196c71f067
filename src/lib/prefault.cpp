#include "lib/prefault.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tes {

void PrefaultForWriting(const void* begin, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    static const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0 || bytes == 0)
        return;
    const auto page = static_cast<std::uintptr_t>(pageSize);
    const auto start = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t last = (start + bytes) / page * page;
    // Kernels before 5.14 answer EINVAL, and memory given back meanwhile ENOMEM; either way the
    // pages then come one fault at a time.
    if (first < last)
        (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)begin;
    (void)bytes;
#endif
}

} // namespace tes
