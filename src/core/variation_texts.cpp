#include "core/variation_texts.h"

#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/vegetation_list.h"

#include <charconv>
#include <cmath>

namespace tes {

namespace {

std::string Quoted(std::string_view text) {
    // Appended rather than "\"" + text, which GCC 12 at -O3 warns of wrongly (-Wrestrict).
    std::string quoted = "\"";
    quoted.append(text).append("\"");
    return quoted;
}

// Checks the fields one after another and keeps the first refusal, which reads
// "Kind 5, turn from: "abc" is not a number."
struct Checker {
    std::string kind;
    std::optional<VariationRefusal> refusal;

    void refuse(VariationField field, std::size_t variant, const std::string& name,
                const std::string& problem) {
        if (!refusal)
            refusal = VariationRefusal{field, variant, "Kind " + kind + ", " + name + ": " + problem + "."};
    }

    std::optional<double> number(std::string_view text, VariationField field, const std::string& name) {
        text = TrimIniBlanks(text);
        const double value = IsNumericText(text) ? LeadingNumberValue(text) : NAN;
        if (std::isfinite(value))
            return value;
        refuse(field, 0, name, Quoted(text) + " is not a number");
        return std::nullopt;
    }

    // Both ends empty: no range.
    std::optional<ValueRange> range(std::string_view from, std::string_view to, VariationField fromField,
                                    VariationField toField, const std::string& name, bool positive) {
        from = TrimIniBlanks(from);
        to = TrimIniBlanks(to);
        if (from.empty() && to.empty())
            return std::nullopt;
        const std::string fromName = name + " from";
        const std::string toName = name + " to";
        if (from.empty() || to.empty()) {
            refuse(from.empty() ? fromField : toField, 0, from.empty() ? fromName : toName,
                   "empty; give both ends of the " + name + ", or neither");
            return std::nullopt;
        }
        const std::optional<double> low = number(from, fromField, fromName);
        const std::optional<double> high = number(to, toField, toName);
        if (!low || !high)
            return std::nullopt;
        if (*low > *high) {
            refuse(fromField, 0, fromName,
                   DecimalText(*low) + " is above " + toName + ", " + DecimalText(*high));
            return std::nullopt;
        }
        if (positive && *low <= 0) {
            refuse(fromField, 0, fromName, DecimalText(*low) + " is not above 0");
            return std::nullopt;
        }
        return ValueRange{*low, *high};
    }

    std::uint32_t weight(std::string_view text, VariationField field, std::size_t variant,
                         const std::string& name) {
        text = TrimIniBlanks(text);
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (IsDigitsOnly(text) && error == std::errc() && end == text.data() + text.size() && value >= 1 &&
            value <= kMaxVariantWeight)
            return value;
        refuse(field, variant, name,
               Quoted(text) + " is not a whole number from 1 to " + std::to_string(kMaxVariantWeight));
        return 1;
    }
};

} // namespace

VariationTexts VariationTextsOf(const KindRow& row) {
    VariationTexts texts;
    if (row.turn) {
        texts.turnFrom = DecimalText(row.turn->from);
        texts.turnTo = DecimalText(row.turn->to);
    }
    if (row.scale) {
        texts.scaleFrom = DecimalText(row.scale->from);
        texts.scaleTo = DecimalText(row.scale->to);
    }
    texts.weight = std::to_string(row.weight);
    for (const KindVariant& variant : row.variants)
        texts.variants.push_back({variant.maxFile, variant.objectName, std::to_string(variant.weight)});
    return texts;
}

std::optional<VariationRefusal> ApplyVariationTexts(const VariationTexts& texts, KindRow& row) {
    Checker check{row.number, std::nullopt};
    const std::optional<ValueRange> turn = check.range(texts.turnFrom, texts.turnTo, VariationField::TurnFrom,
                                                       VariationField::TurnTo, "turn", false);
    const std::optional<ValueRange> scale = check.range(
        texts.scaleFrom, texts.scaleTo, VariationField::ScaleFrom, VariationField::ScaleTo, "scale", true);
    const std::uint32_t weight = check.weight(texts.weight, VariationField::Weight, 0, "weight");
    std::vector<KindVariant> variants;
    for (std::size_t i = 0; i < texts.variants.size(); ++i) {
        const VariationTexts::Variant& typed = texts.variants[i];
        const std::string name = "variant " + std::to_string(i + 1) + ", ";
        KindVariant variant{std::string(TrimIniBlanks(typed.maxFile)),
                            std::string(TrimIniBlanks(typed.objectName)), 1};
        if (variant.maxFile.empty())
            check.refuse(VariationField::VariantFile, i, name + "Max file", "empty");
        else if (variant.maxFile.find('|') != std::string::npos)
            check.refuse(VariationField::VariantFile, i, name + "Max file", "a | cannot stand in it");
        if (variant.objectName.find('|') != std::string::npos)
            check.refuse(VariationField::VariantObject, i, name + "object", "a | cannot stand in it");
        variant.weight = check.weight(typed.weight, VariationField::VariantWeight, i, name + "weight");
        variants.push_back(std::move(variant));
    }
    if (check.refusal)
        return check.refusal;
    row.turn = turn;
    row.scale = scale;
    row.weight = weight;
    row.variants = std::move(variants);
    return std::nullopt;
}

std::optional<std::int64_t> ParseSeed(std::string_view text) {
    text = TrimIniBlanks(text);
    std::int64_t value = 0;
    const char* begin = text.data();
    if (!text.empty() && text.front() == '+')
        ++begin;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string SeedRefusal(std::string_view text) {
    return "The seed is not a whole number: \"" + std::string(TrimIniBlanks(text)) + "\".";
}

} // namespace tes
