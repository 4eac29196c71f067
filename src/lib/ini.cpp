#include "lib/ini.h"

#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "lib/numbers.h"
#include "lib/text_codec.h"
#include "lib/utf8.h"

namespace tes {

namespace {

// The longest value handed back: the profile function's buffer holds 255 characters with its zero.
constexpr std::size_t kMaxValueLength = 254;

// The caller's section and key names lose their spaces only; a TAB stays and then never matches.
std::string_view TrimSpaces(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string_view StripOuterQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The first `count` characters of UTF-8 text.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < text.size(); ++n)
        utf8::Decode(text, pos);
    return text.substr(0, pos);
}

void ReportFailure(Messages& messages, const Failure& failure) {
    messages.push_back({MessageKind::Failure, "Unexpected error in GetINIString. \n" + failure.description() +
                                                  " (" + SignPadded(failure.number()) + ")"});
}

} // namespace

std::string_view TrimIniBlanks(std::string_view s) {
    constexpr std::string_view kBlanks = " \t\v";
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

std::string_view IniLineValue(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view()
                                            : StripOuterQuotes(TrimIniBlanks(line.substr(equals + 1)));
}

bool LookupIniValue(std::string_view fileText, std::string_view section, std::string_view key,
                    std::string& value) {
    if (fileText.starts_with(kUtf8Bom))
        fileText.remove_prefix(kUtf8Bom.size());
    section = TrimSpaces(section);
    key = TrimSpaces(key);
    if (key.starts_with(';'))
        return false;

    enum class Place { BeforeSection, OtherSection, InSection, PastSection };
    Place place = Place::BeforeSection;
    bool found = false;
    ForEachIniLine(fileText, [&](std::string_view rawLine) {
        const std::string_view line = TrimIniBlanks(rawLine);
        if (line.empty() || line.front() == ';')
            return true;
        if (line.front() == '[') {
            if (place == Place::InSection) {
                place = Place::PastSection; // only the first section of the name counts
                return false;
            }
            std::string_view name = line.substr(1);
            name = TrimIniBlanks(name.substr(0, name.find(']')));
            place = EqualsIgnoringAsciiCase(name, section) ? Place::InSection : Place::OtherSection;
            return true;
        }
        if (place != Place::InSection)
            return true;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return true;
        if (!EqualsIgnoringAsciiCase(TrimIniBlanks(line.substr(0, equals)), key))
            return true;
        value.assign(IniLineValue(line));
        found = true;
        return false;
    });
    return found;
}

std::string GetINIString(std::string_view section, std::string_view key, const std::string& file,
                         Messages& messages) {
    try {
        std::string bytes;
        try {
            bytes = ReadFileBytes(file); // read fresh every time, so no cached copy can go stale
        } catch (const Failure& failure) {
            if (failure.number() == failures::fileNotFound().number() ||
                failure.number() == failures::pathNotFound().number())
                return {};
            throw;
        }
        std::string raw;
        if (!LookupIniValue(bytes, section, key, raw))
            return {};
        std::string result;
        if (std::string_view(bytes).starts_with(kUtf8Bom)) {
            result = FirstCharacters(raw, kMaxValueLength);
        } else {
            if (raw.size() > kMaxValueLength)
                raw.resize(kMaxValueLength);
            result = Cp1252ToUtf8(raw);
        }
        if (result == "NotFound")
            return {};
        return result;
    } catch (const Failure& failure) {
        ReportFailure(messages, failure);
    } catch (const std::bad_alloc&) {
        ReportFailure(messages, failures::outOfMemory());
    }
    return {};
}

} // namespace tes
