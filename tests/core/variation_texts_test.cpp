// The variation fields of the Kinds dialog: what a row takes from them, and the first wrong field named.
#include "core/variation_texts.h"

#include <gtest/gtest.h>

namespace tes {
namespace {

using F = VariationField;

TEST(VariationTexts, TheRowTakesTheFieldsOrTheFirstWrongOneIsNamed) {
    const VariationTexts good{" -15", "15 ", "80", "120", "2", {{"D:\\M\\Oak.max", "", "3"}}};
    const struct {
        const char* name;
        VariationTexts texts;
        std::optional<F> field; // none: taken
        const char* message;
    } cases[] = {
        {"all given", good, {}, ""},
        {"no ranges", {"", " ", "", "", "1", {}}, {}, ""},
        {"turn not a number",
         {"a", "15", "80", "120", "1", {}},
         F::TurnFrom,
         "Kind 5, turn from: \"a\" is not a number."},
        {"one end",
         {"", "", "80", "", "1", {}},
         F::ScaleTo,
         "Kind 5, scale to: empty; give both ends of the scale, or neither."},
        {"ends swapped",
         {"30", "10", "", "", "1", {}},
         F::TurnFrom,
         "Kind 5, turn from: 30 is above turn to, 10."},
        {"scale of 0", {"", "", "0", "10", "1", {}}, F::ScaleFrom, "Kind 5, scale from: 0 is not above 0."},
        {"weight 0",
         {"", "", "", "", "0", {}},
         F::Weight,
         "Kind 5, weight: \"0\" is not a whole number from 1 to 1000000."},
        {"weight with a point",
         {"", "", "", "", "1.5", {}},
         F::Weight,
         "Kind 5, weight: \"1.5\" is not a whole number from 1 to 1000000."},
        {"variant without a file",
         {"", "", "", "", "1", {{"", "Oak", "1"}}},
         F::VariantFile,
         "Kind 5, variant 1, Max file: empty."},
        {"a bar in an object",
         {"", "", "", "", "1", {{"a.max", "", "1"}, {"b.max", "x|y", "1"}}},
         F::VariantObject,
         "Kind 5, variant 2, object: a | cannot stand in it."},
        {"variant weight",
         {"", "", "", "", "1", {{"a.max", "", "x"}}},
         F::VariantWeight,
         "Kind 5, variant 1, weight: \"x\" is not a whole number from 1 to 1000000."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KindRow row{"5", "D:\\M\\Pine.max", "", true};
        row.weight = 9;
        const KindRow before = row;
        const std::optional<VariationRefusal> refusal = ApplyVariationTexts(c.texts, row);
        if (c.field) {
            ASSERT_TRUE(refusal);
            EXPECT_EQ(refusal->field, *c.field);
            EXPECT_EQ(refusal->text, c.message);
            EXPECT_EQ(row.weight, before.weight) << "a refused row is left as it was";
        } else {
            ASSERT_FALSE(refusal) << refusal->text;
        }
    }
    KindRow row{"5", "", "", true};
    ASSERT_FALSE(ApplyVariationTexts(good, row));
    EXPECT_EQ(row.turn, (ValueRange{-15, 15}));
    EXPECT_EQ(row.scale, (ValueRange{80, 120}));
    EXPECT_EQ(row.variants, (std::vector<KindVariant>{{"D:\\M\\Oak.max", "", 3}}));
    EXPECT_EQ(VariationTextsOf(row),
              (VariationTexts{"-15", "15", "80", "120", "2", {{"D:\\M\\Oak.max", "", "3"}}}));
}

TEST(VariationTexts, TheSeedIsAWholeNumber) {
    EXPECT_EQ(ParseSeed(" 42 "), 42);
    EXPECT_EQ(ParseSeed("-7"), -7);
    for (const char* text : {"", "1.5", "12a", "99999999999999999999"})
        EXPECT_FALSE(ParseSeed(text)) << text;
}

} // namespace
} // namespace tes
