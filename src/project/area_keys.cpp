#include "project/area_keys.h"

#include "lib/fields.h"
#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/vegetation_list.h"

#include <cmath>

namespace tes {

namespace {

constexpr double kAreaReach = 1e9;

template <typename T> KeyValue<T> Problem(std::string problem) {
    return {T{}, std::move(problem)};
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The words of a text apart by blanks.
std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        std::size_t end = at;
        while (end < text.size() && !IsBlank(text[end]))
            ++end;
        if (end > at)
            words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

KeyValue<double> ReadBreadth(std::string_view text) {
    text = TrimIniBlanks(text);
    const double value = IsNumericText(text) ? LeadingNumberValue(text) : NAN;
    if (!(value >= 0 && value <= kAreaReach))
        return Problem<double>("is not " + std::string(kAreaDistanceRule));
    return {value, {}};
}

} // namespace

KeyValue<std::vector<GroundPoint>> ReadAreaPoints(std::string_view text) {
    const std::vector<std::string_view> words = Words(TrimIniBlanks(text));
    if (words.empty())
        return Problem<std::vector<GroundPoint>>("is not " + std::string(kAreaPointsForm));
    if (words.size() > kMaxAreaPoints)
        return Problem<std::vector<GroundPoint>>("has " + std::to_string(words.size()) +
                                                 " points, more than " + std::to_string(kMaxAreaPoints));
    std::vector<GroundPoint> points;
    points.reserve(words.size());
    for (const std::string_view word : words) {
        const KeyValue<GroundPoint> point = ReadGroundPoint(word);
        if (!point.read())
            return Problem<std::vector<GroundPoint>>("has a point, \"" + std::string(word) +
                                                     "\", that is not X,Y");
        points.push_back(point.value);
    }
    return {std::move(points), {}};
}

KeyValue<std::optional<double>> ReadAreaWidth(std::string_view text) {
    if (TrimIniBlanks(text).empty())
        return {};
    KeyValue<double> width = ReadBreadth(text);
    return {width.read() ? std::optional(width.value) : std::nullopt, std::move(width.problem)};
}

KeyValue<double> ReadFalloff(std::string_view text) {
    if (TrimIniBlanks(text).empty())
        return {0, {}};
    return ReadBreadth(text);
}

KeyValue<AreaMode> ReadAreaMode(std::string_view text) {
    text = TrimIniBlanks(text);
    if (text.empty())
        return {AreaMode::exclude, {}};
    for (const AreaMode mode : {AreaMode::exclude, AreaMode::include}) {
        if (EqualsIgnoringAsciiCase(text, AreaModeText(mode)))
            return {mode, {}};
    }
    return Problem<AreaMode>("is not exclude or include");
}

KeyValue<std::vector<std::string>> ReadAreaKinds(std::string_view text) {
    text = TrimIniBlanks(text);
    std::vector<std::string> kinds;
    if (text.empty())
        return {};
    while (true) {
        const std::size_t comma = text.find(',');
        std::string_view number = TrimIniBlanks(text.substr(0, comma));
        if (number.empty() || !IsDigitsOnly(number))
            return Problem<std::vector<std::string>>("is not kind numbers apart by commas (1,5)");
        number.remove_prefix(std::min(number.find_first_not_of('0'), number.size() - 1));
        kinds.emplace_back(number);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return {std::move(kinds), {}};
}

std::string AreaPointsText(const std::vector<GroundPoint>& points) {
    std::string text;
    for (const GroundPoint& point : points)
        text += (text.empty() ? "" : " ") + GroundPointText(point);
    return text;
}

std::string AreaModeText(AreaMode mode) {
    return mode == AreaMode::include ? "include" : "exclude";
}

std::string AreaKindsText(const std::vector<std::string>& kinds) {
    std::string text;
    for (const std::string& kind : kinds)
        text += (text.empty() ? "" : ",") + kind;
    return text;
}

} // namespace tes
