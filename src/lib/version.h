#pragma once

namespace tes {

// The program's version, as the window's credits line and every script's heading show it.
inline constexpr const char* kVersion = "1.1";

} // namespace tes
