#pragma once

#include <cstddef>

namespace tes {

// Asks the system to hand out the memory pages inside [begin, begin + bytes) now, in one call, instead
// of one page fault at a time when they are first written; pages already there keep what they hold.
// Only whole pages inside the range are touched. A hint: where the system cannot do it, nothing
// happens.
void PrefaultForWriting(const void* begin, std::size_t bytes);

} // namespace tes
