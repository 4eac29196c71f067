#include "project/kind_keys.h"

#include "lib/fields.h"
#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/vegetation_list.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tes {

namespace {

constexpr const char* kNotRange = "is not FROM:TO";

template <typename T> KeyValue<T> Problem(std::string problem) {
    return {T{}, std::move(problem)};
}

// A number written out in full: no text after it and no overflow to infinity.
std::optional<double> NumberOf(std::string_view text) {
    if (!IsNumericText(text))
        return std::nullopt;
    const double value = LeadingNumberValue(text);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

KeyValue<std::optional<ValueRange>> ReadRange(std::string_view text, bool positive) {
    text = TrimIniBlanks(text);
    if (text.empty())
        return {};
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return Problem<std::optional<ValueRange>>(kNotRange);
    const std::string_view from = TrimIniBlanks(text.substr(0, colon));
    const std::string_view to = TrimIniBlanks(text.substr(colon + 1));
    RangeEndsValue ends = ReadRangeEnds(from, to, positive);
    // Ends that are no numbers make no FROM:TO; numbers in the wrong order say so.
    if (!ends.read() && (!NumberOf(from) || !NumberOf(to)))
        ends.problem = kNotRange;
    return {ends.value, std::move(ends.problem)};
}

// A number within [lower, upper], or `empty` for an empty text.
KeyValue<double> ReadNumber(std::string_view text, double lower, double upper, double empty,
                            std::string_view rule) {
    text = TrimIniBlanks(text);
    if (text.empty())
        return {empty, {}};
    const std::optional<double> value = NumberOf(text);
    if (!value || *value < lower || *value > upper)
        return Problem<double>("is not " + std::string(rule));
    return {*value, {}};
}

constexpr double kUnbounded = std::numeric_limits<double>::max();

// A whole number of digits alone within [0, limit].
std::optional<std::uint64_t> WholeNumber(std::string_view text, std::uint64_t limit) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || !IsDigitsOnly(text) || error != std::errc() || end != text.data() + text.size() ||
        value > limit)
        return std::nullopt;
    return value;
}

} // namespace

KeyValue<bool> ReadEnabled(std::string_view text) {
    text = TrimIniBlanks(text);
    if (text.empty() || text == "1")
        return {true, {}};
    if (text == "0")
        return {false, {}};
    return Problem<bool>("is not 1 or 0");
}

KeyValue<std::optional<ValueRange>> ReadTurn(std::string_view text) {
    return ReadRange(text, false);
}

KeyValue<std::optional<ValueRange>> ReadScale(std::string_view text) {
    return ReadRange(text, true);
}

RangeEndsValue ReadRangeEnds(std::string_view from, std::string_view to, bool positive) {
    from = TrimIniBlanks(from);
    to = TrimIniBlanks(to);
    RangeEndsValue range;
    if (from.empty() && to.empty())
        return range;
    const auto refuse = [&range](bool toEnd, std::string problem) {
        range.toEnd = toEnd;
        range.problem = std::move(problem);
        return range;
    };
    if (from.empty() || to.empty())
        return refuse(!from.empty(), "has no " + std::string(from.empty() ? "FROM" : "TO"));
    const std::optional<double> low = NumberOf(from);
    if (!low)
        return refuse(false, "has a FROM that is not a number");
    const std::optional<double> high = NumberOf(to);
    if (!high)
        return refuse(true, "has a TO that is not a number");
    if (*low > *high)
        return refuse(false, "has its FROM above its TO");
    if (positive && *low <= 0)
        return refuse(false, "has a FROM that is not above 0");
    range.value = ValueRange{*low, *high};
    return range;
}

KeyValue<std::uint32_t> ReadWeight(std::string_view text) {
    text = TrimIniBlanks(text);
    if (text.empty())
        return {1, {}};
    if (const std::optional<std::uint64_t> weight = WholeNumber(text, kMaxVariantWeight))
        return {static_cast<std::uint32_t>(*weight), {}};
    return Problem<std::uint32_t>("is not " + std::string(kWeightRule));
}

KeyValue<KindVariant> ReadVariant(std::string_view text) {
    const std::size_t first = text.find('|');
    const std::size_t second = first == std::string_view::npos ? first : text.find('|', first + 1);
    if (second == std::string_view::npos)
        return Problem<KindVariant>("is not FILE|OBJECT|WEIGHT");
    KindVariant variant;
    variant.maxFile = TrimIniBlanks(text.substr(0, first));
    variant.objectName = TrimIniBlanks(text.substr(first + 1, second - first - 1));
    if (variant.maxFile.empty())
        return Problem<KindVariant>("names no Max file");
    const std::string_view weight = TrimIniBlanks(text.substr(second + 1));
    const KeyValue<std::uint32_t> read = weight.empty() ? Problem<std::uint32_t>("") : ReadWeight(weight);
    if (weight.empty() || !read.read())
        return Problem<KindVariant>("has a weight that is not " + std::string(kWeightRule));
    variant.weight = read.value;
    return {std::move(variant), {}};
}

KeyValue<std::int64_t> ReadSeed(std::string_view text) {
    text = TrimIniBlanks(text);
    if (text.empty())
        return {1, {}};
    const char* begin = text.data();
    if (text.front() == '+')
        ++begin;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (begin == text.data() + text.size() || error != std::errc() || end != text.data() + text.size())
        return Problem<std::int64_t>("is not " + std::string(kSeedRule));
    return {value, {}};
}

KeyValue<double> ReadKeep(std::string_view text) {
    return ReadNumber(text, 0, 100, 100, kPercentRule);
}

KeyValue<double> ReadDistance(std::string_view text) {
    return ReadNumber(text, 0, kUnbounded, 0, kDistanceRule);
}

KeyValue<double> ReadFov(std::string_view text) {
    return ReadNumber(text, 1, 179.9, 45, kFovRule);
}

KeyValue<double> ReadMargin(std::string_view text) {
    return ReadNumber(text, 0, kUnbounded, 10, kDistanceRule);
}

KeyValue<std::optional<double>> ReadHeightLimit(std::string_view text) {
    text = TrimIniBlanks(text);
    if (text.empty())
        return {};
    const std::optional<double> value = NumberOf(text);
    if (!value)
        return Problem<std::optional<double>>("is not a number");
    return {value, {}};
}

KeyValue<GroundPoint> ReadGroundPoint(std::string_view text) {
    const std::size_t comma = text.find(',');
    const std::optional<double> x =
        comma == std::string_view::npos ? std::nullopt : NumberOf(TrimIniBlanks(text.substr(0, comma)));
    const std::optional<double> y =
        comma == std::string_view::npos ? std::nullopt : NumberOf(TrimIniBlanks(text.substr(comma + 1)));
    if (!x || !y)
        return Problem<GroundPoint>("is not X,Y");
    return {GroundPoint{*x, *y}, {}};
}

KeyValue<std::pair<std::string, std::string>> ReadFarModel(std::string_view text) {
    text = TrimIniBlanks(text);
    if (text.empty())
        return {};
    // The object is all after the first bar, so any name the writer writes is read back.
    const std::size_t bar = text.find('|');
    std::pair<std::string, std::string> model{std::string(TrimIniBlanks(text.substr(0, bar))), ""};
    if (bar != std::string_view::npos)
        model.second = TrimIniBlanks(text.substr(bar + 1));
    if (model.first.empty())
        return Problem<std::pair<std::string, std::string>>("names no Max file");
    return {std::move(model), {}};
}

KeyValue<PlantStand> ReadStand(std::string_view text) {
    text = TrimIniBlanks(text);
    if (text.empty())
        return {PlantStand::Auto, {}};
    for (const PlantStand stand : {PlantStand::Pivot, PlantStand::Base}) {
        if (EqualsIgnoringAsciiCase(text, StandText(stand)))
            return {stand, {}};
    }
    return Problem<PlantStand>("is not pivot or base");
}

std::string StandText(PlantStand stand) {
    switch (stand) {
    case PlantStand::Pivot:
        return "pivot";
    case PlantStand::Base:
        return "base";
    case PlantStand::Auto:
        break;
    }
    return {};
}

std::string FarModelText(const PlantDetail& detail) {
    if (detail.farFile.empty())
        return {};
    return detail.farObject.empty() ? detail.farFile : detail.farFile + "|" + detail.farObject;
}

std::string GroundPointText(const GroundPoint& point) {
    return DecimalText(point.x) + "," + DecimalText(point.y);
}

std::string RangeText(const ValueRange& range) {
    return DecimalText(range.from) + ":" + DecimalText(range.to);
}

std::string VariantText(const KindVariant& variant) {
    return variant.maxFile + "|" + variant.objectName + "|" + std::to_string(variant.weight);
}

std::string KindVariant::object() const {
    return ObjectOrFileName(maxFile, objectName);
}

} // namespace tes
