#pragma once

namespace tes {

struct Context;

// Reads the project's environment file and keeps in List1 the lines that stand on the chosen tile,
// after bringing the grid size and object scale into agreement for that tile. Reports its own failures
// ("Unexpected error in ReadEnvironmentFile ..."). When the user stops the read through the platform's
// progress report, it throws failures::cancelled() and its caller puts back what it had changed.
void ReadEnvironmentFile(Context& ctx);

} // namespace tes
