#include "lib/fields.h"

#include "lib/utf8.h"

#include <filesystem>

namespace tes {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

constexpr std::string_view kSeparators = "\\/";

} // namespace

std::string_view GetElement(std::string_view source, std::string_view delimiter, long long index) {
    if (index < 0 || delimiter.empty())
        return {};
    std::size_t start = 0;
    for (long long counter = 0;; ++counter) {
        const std::size_t found = source.find(delimiter, start);
        if (counter == index)
            return found == std::string_view::npos ? source.substr(start)
                                                   : source.substr(start, found - start);
        if (found == std::string_view::npos)
            return {};
        start = found + delimiter.size();
    }
}

std::string GetFileNameFromPath(std::string_view path) {
    // A path with a doubled separator (a network path) loses its first two characters.
    std::string_view s = path;
    if (s.find("\\\\") != std::string_view::npos || s.find("//") != std::string_view::npos)
        s.remove_prefix(std::min<std::size_t>(2, s.size()));

    // Walk the components until the first empty one; the one before it is the name.
    std::size_t start = 0;
    if (!s.empty() && IsSeparator(s.front()))
        start = 1;
    std::string_view previous;
    while (start <= s.size()) {
        const std::size_t end = std::min(s.find_first_of(kSeparators, start), s.size());
        const std::string_view component = s.substr(start, end - start);
        if (component.empty())
            break;
        previous = component;
        start = end + 1;
    }
    return std::string(previous);
}

std::string GetBaseFileName(std::string_view path) {
    const std::size_t first = path.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    std::string_view s = path.substr(first, path.find_last_not_of(' ') - first + 1);
    if (const std::size_t colon = s.find(':'); colon != std::string_view::npos)
        s.remove_prefix(colon + 1);
    if (const std::size_t separator = s.find_last_of(kSeparators); separator != std::string_view::npos)
        s.remove_prefix(separator + 1);
    if (const std::size_t dot = s.rfind('.'); dot != std::string_view::npos)
        s = s.substr(0, dot);
    return std::string(s);
}

std::string ObjectOrFileName(std::string_view maxFile, std::string_view objectName) {
    return objectName.empty() ? GetBaseFileName(maxFile) : std::string(objectName);
}

std::string FolderOfPath(std::string_view path) {
    const std::size_t separator = path.find_last_of(kSeparators);
    if (separator == std::string_view::npos)
        return {};
    // A root keeps its separator: "/" and "C:\".
    if (separator == 0 || path[separator - 1] == ':')
        return std::string(path.substr(0, separator + 1));
    return std::string(path.substr(0, separator));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    while (!name.empty() && IsSeparator(name.front()))
        name.remove_prefix(1);
    std::string out(folder);
    if (!out.empty() && !IsSeparator(out.back()))
        out.push_back(static_cast<char>(std::filesystem::path::preferred_separator));
    out += name;
    return out;
}

namespace {

char32_t UpperCaseCodePoint(char32_t cp) {
    if (cp >= 'a' && cp <= 'z')
        return cp - 0x20;
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)
        return cp - 0x20;
    switch (cp) {
    case 0x0161: // š
        return 0x0160;
    case 0x0153: // œ
        return 0x0152;
    case 0x017E: // ž
        return 0x017D;
    case 0x00FF: // ÿ
        return 0x0178;
    default:
        return cp;
    }
}

} // namespace

std::string UpperCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[pos]);
        if (c < 0x80) {
            out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : static_cast<char>(c));
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const char32_t cp = utf8::Decode(text, pos);
        if (cp == utf8::kInvalid)
            out.append(text.substr(start, pos - start)); // malformed bytes stay as they are
        else
            utf8::Append(out, UpperCaseCodePoint(cp));
    }
    return out;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

} // namespace tes
