#pragma once

#include <string_view>

namespace tes::fuzz {

// True when a line of a placement script is one of the shapes the writer emits, with every name,
// path and number a single well-formed MAXScript literal: nothing in the line can end a literal
// early or start another statement.
bool IsPlacementScriptLine(std::string_view line);

} // namespace tes::fuzz
