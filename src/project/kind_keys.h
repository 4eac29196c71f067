#pragma once

#include "project/plant_stand.h"
#include "project/plant_views.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tes {

// A range of numbers a plant's value is drawn from, both ends included.
struct ValueRange {
    double from = 0;
    double to = 0;
    bool operator==(const ValueRange&) const = default;
};

// The largest weight the kinds table, the Kinds dialog and the command line take: twenty thousand
// objects of this weight still add up far within 64 bits.
inline constexpr std::uint32_t kMaxVariantWeight = 1000000;

// One more Max file and object that a kind's plants may take, and how often, against the others.
struct KindVariant {
    std::string maxFile;
    std::string objectName; // empty: the Max file's name
    std::uint32_t weight = 1;
    std::string object() const;
    bool operator==(const KindVariant&) const = default;
};

// A value of the kinds table read from its text, or why the text is none. The problem completes a
// sentence that names the key and its text: "Turn=0:36O in Valley.tes.ini is not FROM:TO".
template <typename T> struct KeyValue {
    T value{};
    std::string problem; // empty: read

    bool read() const { return problem.empty(); }
};

// Every key of the table has one reading, the same for the file, the Kinds dialog and the command
// line. Blanks around a text are no part of it; an empty text is the key's default.

// Enabled: 1 or 0; empty is 1.
KeyValue<bool> ReadEnabled(std::string_view text);
// Turn and Scale: FROM:TO, two numbers with FROM not above TO; a scale's FROM is above 0. Empty: none.
KeyValue<std::optional<ValueRange>> ReadTurn(std::string_view text);
KeyValue<std::optional<ValueRange>> ReadScale(std::string_view text);
// The two ends of a range typed apart, as the dialog has them; `toEnd` says which end the problem is
// of. Both empty: none.
struct RangeEndsValue : KeyValue<std::optional<ValueRange>> {
    bool toEnd = false;
};
RangeEndsValue ReadRangeEnds(std::string_view from, std::string_view to, bool positive);
// Weight: a whole number from 0 to kMaxVariantWeight; empty is 1.
KeyValue<std::uint32_t> ReadWeight(std::string_view text);
// VariantN: FILE|OBJECT|WEIGHT, a Max file, an object (empty: the file's name) and a weight.
KeyValue<KindVariant> ReadVariant(std::string_view text);
// [Variation] Seed: a whole number that fits 64 bits with its sign; empty is 1.
KeyValue<std::int64_t> ReadSeed(std::string_view text);

// Keep and KeepFar: a percent from 0 to 100; empty is 100.
KeyValue<double> ReadKeep(std::string_view text);
// ThinBeyond, KeepRadius and Far: a distance of 0 or more; empty is 0 (the rule is off).
KeyValue<double> ReadDistance(std::string_view text);
// FarModel: FILE|OBJECT, the object all after the first bar, or FILE, the object then the file's
// name; empty is none. The value is the PlantDetail's far file and object.
KeyValue<std::pair<std::string, std::string>> ReadFarModel(std::string_view text);
// MinHeight and MaxHeight: a scene Z, any number; empty is none (no limit).
KeyValue<std::optional<double>> ReadHeightLimit(std::string_view text);
// Stand: pivot or base, letter case aside; empty is PlantStand::Auto.
KeyValue<PlantStand> ReadStand(std::string_view text);
// [ViewN] Camera and Target: X,Y on the scene's ground. Empty is no point.
KeyValue<GroundPoint> ReadGroundPoint(std::string_view text);
// [ViewN] Fov: degrees from 1 to 179.9; empty is 45.
KeyValue<double> ReadFov(std::string_view text);
// [ViewN] Margin: a percent of 0 or more; empty is 10.
KeyValue<double> ReadMargin(std::string_view text);

// What the readings above say of their values, for the help of the options that set them.
inline constexpr std::string_view kWeightRule = "a whole number from 0 to 1000000";
inline constexpr std::string_view kSeedRule =
    "a whole number from -9223372036854775808 to 9223372036854775807";
inline constexpr std::string_view kPercentRule = "a number from 0 to 100";
inline constexpr std::string_view kDistanceRule = "a number of 0 or more";
inline constexpr std::string_view kFovRule = "a number from 1 to 179.9";

// The texts the table writes: "80:120" and "D:\M\Oak.max|Oak_02|3".
std::string RangeText(const ValueRange& range);
std::string VariantText(const KindVariant& variant);
std::string GroundPointText(const GroundPoint& point); // "-120.5,300"
std::string FarModelText(const PlantDetail& detail);   // "D:\M\Oak far.max|Oak_far", "" for none
std::string StandText(PlantStand stand);               // "pivot" or "base", "" for Auto

} // namespace tes
