#pragma once

namespace tes {

// Whether the number of the field that starts at `p` and runs to the next comma or to `end` lies in
// [low, high]; `p` is left on that comma (or at `end`). The field must lie in a padded buffer
// (lib/read_padding.h). Plain decimal text whose whole part alone places it is not converted at all.
bool NextFieldWithin(const char*& p, const char* end, double low, double high);

} // namespace tes
