#pragma once

namespace tes {

// The program's version, as the window's credits line, every script's heading and
// `enviro-script --version` show it. The build sets it from the CMake project's version, the one place
// it is written.
inline constexpr const char* kVersion = TES_VERSION;

} // namespace tes
