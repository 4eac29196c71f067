#pragma once

#include "lib/message.h"

#include <string>
#include <string_view>

namespace tes {

// Reads one value from an INI-syntax file the way the Windows profile functions find it: the first
// section of that name (letter case ignored), the first key of that name in it, the value trimmed and
// freed of one outer pair of matching quotes, at most 254 characters. A missing file, section or key,
// an empty value and the value "NotFound" all give the empty text. Lines end at CR, LF or CR LF;
// ';' lines are comments; there are no inline comments. A UTF-8 byte-order mark is skipped.
// An unexpected failure (the path is a folder, a read error) gives the empty text and adds to
// `messages` the failure "Unexpected error in GetINIString. " LF description " (" number ")".
std::string GetINIString(std::string_view section, std::string_view key, const std::string& file,
                         Messages& messages);

// The lookup itself on the file's text, for callers that already hold it. Returns false when the
// key was not found (the profile function's default would then be used).
bool LookupIniValue(std::string_view fileText, std::string_view section, std::string_view key,
                    std::string& value);

// Splits INI text into lines at CR, LF or CR LF; calls `visit` per line until it returns false.
template <typename Visit> void ForEachIniLine(std::string_view text, Visit visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        if (!visit(text.substr(pos, end - pos)))
            return;
        pos = end;
        if (pos < text.size() && text[pos++] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
}

// A line, a section name, a key or a value without the blanks the lookup skips around it.
std::string_view TrimIniBlanks(std::string_view s);

// The value of a key=value line as the lookup hands it back: trimmed, without a pair of outer quotes.
std::string_view IniLineValue(std::string_view line);

} // namespace tes
