#pragma once

namespace tes {

struct Context;

// Reads the project's environment file and keeps in List1 the lines that stand on the chosen tile,
// after bringing the grid size and object scale into agreement for that tile. Reports its own failures
// ("Unexpected error in ReadEnvironmentFile ...").
void ReadEnvironmentFile(Context& ctx);

} // namespace tes
