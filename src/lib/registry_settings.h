#pragma once

#ifdef _WIN32

#include <string>

// The per-user settings store of Windows: string values under a key of HKEY_CURRENT_USER, such as
// "Software\Tolvane Enviro Scripter" (SettingsKeyPath). Key paths, names and values are UTF-8 in memory
// and UTF-16 in the registry. A Platform on Windows keeps its settings here.
namespace tes {

// The value's text, or the empty text when the key or the value cannot be read (a first run has
// neither). The value's registry type is not checked.
std::string ReadRegistryString(const std::string& keyPath, const std::string& name);

// Writes a string value (REG_SZ, with its terminating zero), creating the key when it does not exist.
// False when the key cannot be created or the value not written.
bool WriteRegistryString(const std::string& keyPath, const std::string& name, const std::string& value);

} // namespace tes

#endif
