#pragma once

#include <cstdint>

namespace tes {

struct Context;

// Builds the placement script of the vegetation kind named by the combo box's text: the lines go into
// List2 and, while Session.SaveToFile is set, into the .ms file next to the project (replaced only when
// complete). Reports its own failures ("Unexpected error in BuildScript ...") and always returns.
void BuildScript(Context& ctx);

// Lists of at least `rows` rows are built on two threads (from 500,000 rows unless a test lowers it).
void SetTwoThreadBuildFromForTesting(std::uint64_t rows);

} // namespace tes
