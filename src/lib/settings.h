#pragma once

#include <string>

namespace tes {

class Platform;

// The per-user settings: "Software\" + the application title, string values DefaultDir and ObjectDir.
// Reads a value; the empty text when the location or the value cannot be read. An unexpected failure
// is shown as "Unexpected error in GetRegStr " LF LF number " - " description.
std::string GetRegStr(Platform& platform, const std::string& keyPath, const std::string& valueName);
// Writes a value, creating the location when needed. Never reports anything.
void SetRegStr(Platform& platform, const std::string& valueName, const std::string& value,
               const std::string& keyPath);

std::string SettingsKeyPath(const std::string& appTitle);

} // namespace tes
