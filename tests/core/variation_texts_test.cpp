// The variation fields of the Kinds dialog: what a row takes from them, and the first wrong field named.
#include "core/plants/variation_texts.h"

#include <functional>
#include <gtest/gtest.h>

namespace tes {
namespace {

using F = VariationField;

TEST(VariationTexts, TheRowTakesTheFieldsOrTheFirstWrongOneIsNamed) {
    const VariationTexts good{" -15", "15 ", "80",  "120",   "2",        {{"D:\\M\\Oak.max", "", "3"}},
                              "60",   "400", " 30", "F.max", " Oak|far", "300",
                              "5e2",  "Base"};
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
         "Kind 5, turn from: the turn has a FROM that is not a number."},
        {"one end", {"", "", "80", "", "1", {}}, F::ScaleTo, "Kind 5, scale to: the scale has no TO."},
        {"ends swapped",
         {"30", "10", "", "", "1", {}},
         F::TurnFrom,
         "Kind 5, turn from: the turn has its FROM above its TO."},
        {"scale of 0",
         {"", "", "0", "10", "1", {}},
         F::ScaleFrom,
         "Kind 5, scale from: the scale has a FROM that is not above 0."},
        {"weights of 0: never taken", {"", "", "", "", "0", {{"a.max", "", "0"}}}, {}, ""},
        {"weight above the limit",
         {"", "", "", "", "1000001", {}},
         F::Weight,
         "Kind 5, weight: \"1000001\" is not a whole number from 0 to 1000000."},
        {"weight with a point",
         {"", "", "", "", "1.5", {}},
         F::Weight,
         "Kind 5, weight: \"1.5\" is not a whole number from 0 to 1000000."},
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
         "Kind 5, variant 1, weight: \"x\" is not a whole number from 0 to 1000000."},
        {"thinning at its bounds, empty keep far", {"", "", "", "", "1", {}, "0", "0", ""}, {}, ""},
        {"keep above 100",
         {"", "", "", "", "1", {}, "100.5"},
         F::Keep,
         "Kind 5, keep: \"100.5\" is not a number from 0 to 100."},
        {"thin beyond below 0",
         {"", "", "", "", "1", {}, "100", "-1"},
         F::ThinBeyond,
         "Kind 5, thin beyond: \"-1\" is not a number of 0 or more."},
        {"keep far no number",
         {"", "", "", "", "1", {}, "100", "0", "x"},
         F::KeepFar,
         "Kind 5, keep far: \"x\" is not a number from 0 to 100."},
        {"far object without its file",
         {"", "", "", "", "1", {}, "100", "0", "100", " ", "Oak"},
         F::FarFile,
         "Kind 5, far model: its object needs the Max file it is in."},
        {"boxes below 0",
         {"", "", "", "", "1", {}, "100", "0", "100", "", "", "0", "-2"},
         F::BoxFrom,
         "Kind 5, boxes beyond: \"-2\" is not a number of 0 or more."},
        {"stand no word of the table's",
         {"", "", "", "", "1", {}, "100", "0", "100", "", "", "0", "0", " auto"},
         F::Stand,
         "Kind 5, stand: \"auto\" is not pivot or base."},
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
    EXPECT_EQ(row.thinning, (PlantThinning{60, 400, 30}));
    EXPECT_EQ(row.detail, (PlantDetail{"F.max", "Oak|far", 300, 500}));
    EXPECT_EQ(row.stand, PlantStand::Base);
    EXPECT_EQ(VariationTextsOf(row), (VariationTexts{"-15",
                                                     "15",
                                                     "80",
                                                     "120",
                                                     "2",
                                                     {{"D:\\M\\Oak.max", "", "3"}},
                                                     "60",
                                                     "400",
                                                     "30",
                                                     "F.max",
                                                     "Oak|far",
                                                     "300",
                                                     "500",
                                                     "base"}));
}

// A value the table could not read is shown as written and marked; left as shown it stays, fault and
// all, and only what was changed must read.
TEST(VariationTexts, FaultsAreShownAsWrittenAndStayUnlessChanged) {
    const std::string weightRule = "is not a whole number from 0 to 1000000";
    KindRow faulty{"5", "D:\\M\\Pine.max", "", true};
    faulty.scale = ValueRange{80, 120};
    faulty.variants = {{"a.max", "", 1}, {"c.max", "", 3}};
    faulty.faults = {{"Turn", "0:36O", "is not FROM:TO", 0},
                     {"Weight", "x", weightRule, 0},
                     {"Variant2", "b.max|B|y", "has a weight that " + weightRule, 1},
                     {"Enabled", "yes", "is not 1 or 0", 0},
                     {"Keep", "6O", "is not a number from 0 to 100", 0},
                     {"Stand", "feet", "is not pivot or base", 0}};
    const std::string turnWhy = "Turn=0:36O is not FROM:TO";
    const std::string variantWhy = "Variant2=b.max|B|y has a weight that " + weightRule;
    VariationTexts expected{
        "0", "36O", "80", "120", "x", {{"a.max", "", "1"}, {"b.max", "B", "y"}, {"c.max", "", "3"}}, "6O"};
    expected.stand = "feet";
    expected.marks = {{F::TurnFrom, 0, "0", turnWhy},
                      {F::TurnTo, 0, "36O", turnWhy},
                      {F::Weight, 0, "x", "Weight=x " + weightRule},
                      {F::Keep, 0, "6O", "Keep=6O is not a number from 0 to 100"},
                      {F::Stand, 0, "feet", "Stand=feet is not pivot or base"},
                      {F::VariantFile, 1, "b.max", variantWhy},
                      {F::VariantObject, 1, "B", variantWhy},
                      {F::VariantWeight, 1, "y", variantWhy}};
    const VariationTexts shown = VariationTextsOf(faulty);
    EXPECT_EQ(shown, expected);

    const std::string all = "Turn Weight Variant2 Enabled Keep Stand";
    const struct {
        const char* name;
        std::function<void(VariationTexts&)> edit;
        std::string refusal; // empty: taken
        std::string faultsLeft;
    } cases[] = {
        {"left as shown", [](auto&) {}, "", all},
        {"turn mended", [](auto& t) { t.turnTo = "360"; }, "", "Weight Variant2 Enabled Keep Stand"},
        {"turn emptied", [](auto& t) { t.turnFrom = t.turnTo = ""; }, "",
         "Weight Variant2 Enabled Keep Stand"},
        {"turn edited, no number yet", [](auto& t) { t.turnTo = "36O "; },
         "Kind 5, turn to: the turn has a TO that is not a number.", all},
        {"weight mended to 0", [](auto& t) { t.weight = "0"; }, "", "Turn Variant2 Enabled Keep Stand"},
        {"scale changed", [](auto& t) { t.scaleFrom = "90"; }, "", all},
        {"another variant changed, the faulty one left", [](auto& t) { t.variants[2].weight = "4"; }, "",
         all},
        {"the variant above the faulty one removed",
         [](auto& t) {
             t.variants.erase(t.variants.begin());
             for (VariationMark& mark : t.marks)
                 mark.variant -= mark.field >= F::VariantFile ? 1 : 0;
         },
         "", all},
        {"faulty variant edited, no number yet", [](auto& t) { t.variants[1].weight = "z"; },
         "Kind 5, variant 2, weight: \"z\" " + weightRule + ".", all},
        {"faulty variant mended", [](auto& t) { t.variants[1].weight = "2"; }, "",
         "Turn Weight Enabled Keep Stand"},
        {"keep mended", [](auto& t) { t.keep = "60"; }, "", "Turn Weight Variant2 Enabled Stand"},
        {"stand mended", [](auto& t) { t.stand = "base"; }, "", "Turn Weight Variant2 Enabled Keep"},
        {"faulty variant removed", [](auto& t) { t.variants.erase(t.variants.begin() + 1); }, "",
         "Turn Weight Enabled Keep Stand"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VariationTexts texts = shown;
        c.edit(texts);
        KindRow row = faulty;
        const std::optional<VariationRefusal> refusal = ApplyVariationTexts(texts, row);
        EXPECT_EQ(refusal ? refusal->text : "", c.refusal);
        std::string left;
        for (const KeyFault& fault : row.faults)
            left += (left.empty() ? "" : " ") + fault.key;
        EXPECT_EQ(left, c.faultsLeft);
        // Taken, the row shows as typed, the faults left in their places.
        EXPECT_TRUE(refusal || VariationTextsOf(row).variants == texts.variants);
    }
}

} // namespace
} // namespace tes
