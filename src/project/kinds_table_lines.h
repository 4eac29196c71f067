#pragma once

#include "lib/fields.h"
#include "lib/ini.h"

#include <string_view>

// The lines of a kinds table as its reader and its writer both see them.
namespace tes::kinds_lines {

inline constexpr std::string_view kSectionPrefix = "Vegetation_";
inline constexpr std::string_view kVariantKey = "Variant"; // Variant1, Variant2 ...
inline constexpr std::string_view kVariationSection = "Variation";
inline constexpr std::string_view kSeedKey = "Seed";
inline constexpr std::string_view kViewPrefix = "View"; // View1, View2 ...
inline constexpr std::string_view kAreaPrefix = "Area"; // Area1, Area2 ...

// The section a header line opens ("Vegetation_5"); nothing for other lines.
inline std::string_view SectionOf(std::string_view line) {
    line = TrimIniBlanks(line);
    if (!line.starts_with('['))
        return {};
    line.remove_prefix(1);
    return TrimIniBlanks(line.substr(0, line.find(']')));
}

inline bool IsHeader(std::string_view line) {
    return TrimIniBlanks(line).starts_with('[');
}

inline bool IsKindSection(std::string_view section) {
    return section.size() > kSectionPrefix.size() &&
           EqualsIgnoringAsciiCase(section.substr(0, kSectionPrefix.size()), kSectionPrefix);
}

// A view's section: "View" and its number.
inline bool IsViewSection(std::string_view section) {
    return section.size() > kViewPrefix.size() &&
           EqualsIgnoringAsciiCase(section.substr(0, kViewPrefix.size()), kViewPrefix) &&
           section.find_first_not_of("0123456789", kViewPrefix.size()) == std::string_view::npos;
}

// An area's section: "Area" and its number.
inline bool IsAreaSection(std::string_view section) {
    return section.size() > kAreaPrefix.size() &&
           EqualsIgnoringAsciiCase(section.substr(0, kAreaPrefix.size()), kAreaPrefix) &&
           section.find_first_not_of("0123456789", kAreaPrefix.size()) == std::string_view::npos;
}

// The key of a key=value line; nothing for comments, blank lines and headers.
inline std::string_view KeyOf(std::string_view line) {
    const std::string_view trimmed = TrimIniBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return {};
    const std::size_t equals = trimmed.find('=');
    return equals == std::string_view::npos ? std::string_view() : TrimIniBlanks(trimmed.substr(0, equals));
}

inline bool IsVariantKey(std::string_view key) {
    return key.size() > kVariantKey.size() &&
           EqualsIgnoringAsciiCase(key.substr(0, kVariantKey.size()), kVariantKey) &&
           key.find_first_not_of("0123456789", kVariantKey.size()) == std::string_view::npos;
}

} // namespace tes::kinds_lines
