#pragma once

#ifdef _WIN32

#include <string>
#include <string_view>

// Windows' own text is UTF-16; the program's is UTF-8. Every file name and command-line argument
// crosses between the two here.
namespace tes {

// Throws std::system_error for text that is not well-formed UTF-8 or UTF-16, so a damaged name never
// reaches a different file or key than the one it spelled.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

} // namespace tes

#endif
