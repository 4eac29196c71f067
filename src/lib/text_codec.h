#pragma once

#include <string>
#include <string_view>

// Project and script files on disk are Windows-1252; text in memory is UTF-8.
namespace tes {

// Decodes Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves unassigned map to the
// C1 control characters of the same value, so every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view bytes);
void AppendCp1252AsUtf8(std::string& out, std::string_view bytes);

// Encodes UTF-8 text as Windows-1252; a character without a Windows-1252 byte, or a malformed UTF-8
// sequence, becomes '?'.
std::string Utf8ToCp1252(std::string_view text);
void AppendUtf8AsCp1252(std::string& out, std::string_view text);

// True when Windows-1252 has a byte for every character of the UTF-8 text (so nothing would become '?').
bool FitsWindows1252(std::string_view text);

// True when every byte is below 0x80 (such text is the same in both encodings).
bool IsAscii(std::string_view bytes);

// The UTF-8 byte-order mark that some editors put at the start of a file.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

} // namespace tes
