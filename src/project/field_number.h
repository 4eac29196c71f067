#pragma once

#include <string_view>

namespace tes {

// Whether the number of the field that starts at `p` and runs to the next comma or to `end` lies in
// [low, high]; `p` is left on that comma (or at `end`). Plain decimal text whose whole part alone
// places it outside is not converted at all.
bool NextFieldWithin(const char*& p, const char* end, double low, double high);
// The same for a field inside a larger buffer whose bytes up to `readable` may be looked at, which
// lets the digits be read eight at a time up to the field's end.
bool NextFieldWithin(const char*& p, const char* end, const char* readable, double low, double high);

} // namespace tes
