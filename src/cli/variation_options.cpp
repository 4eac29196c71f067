#include "cli/variation_options.h"

#include "project/kinds_table.h"

#include <CLI/CLI.hpp>

namespace tes::cli {

namespace {

// FROM:TO, two numbers with the first not above the second; `positive` asks both to be above 0.
std::function<void(const std::string&)> RangeInto(std::optional<ValueRange>& target, const char* name,
                                                  bool positive) {
    return [&target, name, positive](const std::string& text) {
        const std::optional<ValueRange> range = ParseRange(text);
        if (!range || (positive && range->from <= 0))
            throw CLI::ValidationError(
                name, text + std::string(" is not FROM:TO, two numbers with FROM not above TO") +
                          (positive ? " and above 0" : ""));
        target = range;
    };
}

} // namespace

void AddVariationOptions(CLI::App& app, KindsOptions& kinds, CLI::Option* set) {
    app.add_option_function<std::string>("--turn", RangeInto(kinds.turn, "--turn", false),
                                         "Turn each plant at random by FROM to TO degrees about the vertical "
                                         "(0:360, -15:15), from its own position")
        ->type_name("FROM:TO")
        ->needs(set)
        ->group("Variation options");
    app.add_option_function<std::string>(
           "--scale", RangeInto(kinds.scale, "--scale", true),
           "Scale each plant at random to FROM to TO percent of the kind's scale "
           "(80:120)")
        ->type_name("FROM:TO")
        ->needs(set)
        ->group("Variation options");
    app.add_option_function<std::vector<std::string>>(
           "--variant",
           [&kinds](const std::vector<std::string>& texts) {
               for (const std::string& text : texts) {
                   std::optional<KindVariant> variant = ParseVariant(text);
                   if (!variant || variant->weight == 0)
                       throw CLI::ValidationError(
                           "--variant", text + " is not FILE|OBJECT|WEIGHT with a weight of 1 or more");
                   kinds.variants.push_back(std::move(*variant));
               }
           },
           "Add a Max file and object the kind's plants may take, with a whole-number weight; an empty "
           "OBJECT "
           "is the file's name. Repeatable")
        ->type_name("FILE|OBJECT|WEIGHT")
        ->needs(set)
        ->group("Variation options");
    app.add_option_function<std::uint32_t>(
           "--weight", [&kinds](std::uint32_t weight) { kinds.weight = weight; },
           "The weight of the row's own Max file among the variants (default 1)")
        ->check(CLI::Range(1u, kMaxVariantWeight))
        ->needs(set)
        ->group("Variation options");
    app.add_flag("--clear-variants", kinds.clearVariants, "Remove the variants the row has before adding any")
        ->needs(set)
        ->group("Variation options");
}

void AddSeedOption(CLI::App& app, std::optional<std::int64_t>& seed, const char* help) {
    app.add_option_function<std::int64_t>(
           "--seed", [&seed](std::int64_t value) { seed = value; }, help)
        ->type_name("N")
        ->group("Variation options");
}

} // namespace tes::cli
