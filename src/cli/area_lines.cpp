#include "cli/area_lines.h"

#include "project/area_keys.h"

namespace tes::cli {

namespace {

constexpr std::string_view kLineForm = "--area \"X,Y X,Y ...\" with an optional --width W";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Takes `word` and the blanks after it from the front of `text`; false when it is not there.
bool TakeWord(std::string_view& text, std::string_view word) {
    if (text.substr(0, word.size()) != word || text.size() == word.size() || !IsBlank(text[word.size()]))
        return false;
    text = Trimmed(text.substr(word.size()));
    return true;
}

// One line's area, or why it cannot be read.
std::optional<std::string> ReadLine(std::string_view line, GivenArea& area) {
    std::string_view rest = line;
    if (!TakeWord(rest, "--area") || rest.empty() || rest.front() != '"')
        return "is not " + std::string(kLineForm);
    const std::size_t close = rest.find('"', 1);
    if (close == std::string_view::npos)
        return "has no closing quote after the points";
    const std::string_view points = rest.substr(1, close - 1);
    KeyValue<std::vector<GroundPoint>> read = ReadAreaPoints(points);
    if (!read.read())
        return "\"" + std::string(points) + "\" " + read.problem;
    area.points = std::move(read.value);
    rest = Trimmed(rest.substr(close + 1));
    if (rest.empty())
        return std::nullopt;
    if (!TakeWord(rest, "--width") || rest.find_first_of(" \t") != std::string_view::npos)
        return "is not " + std::string(kLineForm);
    KeyValue<std::optional<double>> width = ReadAreaWidth(rest);
    if (!width.read())
        return "--width " + std::string(rest) + " " + width.problem;
    area.width = width.value;
    return std::nullopt;
}

} // namespace

AreaLines ReadAreaLines(std::string_view text, const std::string& fileName) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    AreaLines lines;
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (line.empty() || line.front() == '#')
            continue;
        GivenArea area;
        area.source = fileName + " line " + std::to_string(number) + ": " + std::string(line);
        if (std::optional<std::string> problem = ReadLine(line, area)) {
            lines.problem = area.source + ": " + *problem;
            return lines;
        }
        lines.areas.push_back(std::move(area));
    }
    if (lines.areas.empty())
        lines.problem = fileName + " holds no area (lines " + std::string(kLineForm) + ")";
    return lines;
}

} // namespace tes::cli
