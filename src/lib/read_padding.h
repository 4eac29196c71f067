#pragma once

#include <cstddef>

namespace tes {

// Buffers that hold lines for the number readers (a line reader's block, a list of lines) keep this
// many readable bytes behind the end of their last line. A reader may then look at eight bytes at a
// time up to a line's very end without checking where the buffer stops; the bytes behind a line are
// looked at, never used.
inline constexpr std::size_t kReadPadding = 8;

} // namespace tes
