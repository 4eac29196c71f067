// The rules of the four checked fields: the text's number pulled into range, rounded and written in
// the field's form, with no refusal.
#include "core/place/field_rules.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

namespace tes {
namespace {

struct RuleCase {
    std::string before;
    std::string after;
};

void ExpectRule(const char* field, std::string (*rule)(std::string_view),
                std::initializer_list<RuleCase> cases) {
    for (const RuleCase& c : cases)
        EXPECT_EQ(rule(c.before), c.after) << field << " '" << c.before << "'";
}

TEST(FieldRules, PullNumbersIntoTheirRangeAndForm) {
    ExpectRule("grid size", CheckedGridSize,
               {{"256", "256"},
                {"", "1"},
                {"abc", "1"},
                {"0.5", "1"},
                {"2.5", "2"},
                {"3.5", "4"},
                {"12ab", "12"},
                {"-7", "1"},
                {"1e3", "1000"},
                {"1E999", "1"},
                {"-1E999", "1"},
                {"1e20", "100000000000000000000"}});
    ExpectRule("object scale", CheckedObjectScale,
               {{"33.333333", "33.333333"},
                {"50", "50.000000"},
                {"0", "0.100000"},
                {"", "0.100000"},
                {"12.3456789", "12.345679"},
                {"0.1", "0.100000"},
                {"1E999", "0.100000"},
                {"1e300", "1" + std::string(300, '0') + ".000000"}});
    ExpectRule("heading", CheckedHeading,
               {{"90.0", "90"},
                {"12.36", "12.4"},
                {"400", "359.9"},
                {"360", "359.9"},
                {"359.9", "359.9"},
                {"-10", "0"},
                {"abc", "0"},
                {"1E999", "359.9"},
                {"-1E999", "0"}});
    ExpectRule("pitch", CheckedPitch,
               {{"45.0", "45"}, {"90", "89.9"}, {"89.9", "89.9"}, {"-1", "0"}, {"1E999", "89.9"}});
}

} // namespace
} // namespace tes
