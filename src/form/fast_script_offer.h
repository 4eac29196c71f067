#pragma once

#include "project/kinds_table.h"

#include <string>
#include <vector>

namespace tes {

struct Context;

// The kinds of the table whose plants only the fast script can write: those that differ in turn,
// scale or object, those that stand on their base, and, with a view, those with a far model or boxes.
// Disabled kinds count too: they
// are built again once enabled.
std::vector<std::string> KindsNeedingFastScript(const KindsTable& table);

// Once the kinds table has changed: when the classic script is chosen and kinds that it cannot write
// came among `before` (the kinds needing the fast script before the change), names them and offers the
// fast script; a Yes chooses it as Script Options would, and remembers it.
void OfferFastScript(Context& ctx, const std::vector<std::string>& before);

} // namespace tes
