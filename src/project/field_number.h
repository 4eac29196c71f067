#pragma once

#include <string_view>

namespace tes {

// The leading-number value of one field of an environment record. Plain decimal text
// ([-]digits[.digits], the form every environment file uses) is converted directly; anything else
// goes through the full leading-number rule. Both give the same double.
double FieldNumber(std::string_view field);

// The same for the field that starts at `p` and runs to the next comma or to `end`; `p` is left on
// that comma (or at `end`). Finds the field's end while converting it.
double NextFieldNumber(const char*& p, const char* end);

} // namespace tes
