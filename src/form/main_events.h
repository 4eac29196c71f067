#pragma once

#include <memory>

namespace tes {

struct Context;
class Platform;

// Builds the program's context with the main window's handlers installed, so that changing a check
// box or a text field runs its handler as the toolkit would.
std::unique_ptr<Context> CreateProgram(Platform& platform);

} // namespace tes
