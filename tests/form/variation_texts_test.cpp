// The variation fields of the Kinds dialog: what a row takes from them, and the first wrong field named.
#include "form/variation_texts.h"

#include <functional>
#include <gtest/gtest.h>

namespace tes {
namespace {

// The field of a key ("Turn"), the part of it for a key of several.
VariationField Field(std::string_view key, std::size_t part = 0) {
    return {FindKindKey(key), part};
}

// The fields of a new row with `typed` in the keys it names, and the variants.
VariationTexts Typed(const std::map<std::string, std::vector<std::string>>& typed,
                     std::vector<VariationTexts::Variant> variants = {}) {
    VariationTexts texts = VariationTextsOf(KindRow());
    for (const auto& [key, parts] : typed)
        texts.fieldTexts[key] = parts;
    texts.variants = std::move(variants);
    return texts;
}

TEST(VariationTexts, TheRowTakesTheFieldsOrTheFirstWrongOneIsNamed) {
    const VariationTexts good = Typed({{"Turn", {" -15", "15 "}},
                                       {"Scale", {"80", "120"}},
                                       {"Weight", {"2"}},
                                       {"Keep", {"60"}},
                                       {"ThinBeyond", {"400"}},
                                       {"KeepFar", {" 30"}},
                                       {"FarModel", {"F.max", " Oak|far"}},
                                       {"FarFrom", {"300"}},
                                       {"BoxFrom", {"5e2"}},
                                       {"Stand", {"Base"}}},
                                      {{"D:\\M\\Oak.max", "", "3"}});
    const struct {
        const char* name;
        VariationTexts texts;
        std::optional<VariationField> field; // none: taken
        const char* message;
    } cases[] = {
        {"all given", good, {}, ""},
        {"no ranges", Typed({{"Turn", {"", " "}}}), {}, ""},
        {"turn not a number", Typed({{"Turn", {"a", "15"}}, {"Scale", {"80", "120"}}}), Field("Turn", 0),
         "Kind 5, turn from: the turn has a FROM that is not a number."},
        {"one end", Typed({{"Scale", {"80", ""}}}), Field("Scale", 1),
         "Kind 5, scale to: the scale has no TO."},
        {"ends swapped", Typed({{"Turn", {"30", "10"}}}), Field("Turn", 0),
         "Kind 5, turn from: the turn has its FROM above its TO."},
        {"scale of 0", Typed({{"Scale", {"0", "10"}}}), Field("Scale", 0),
         "Kind 5, scale from: the scale has a FROM that is not above 0."},
        {"weights of 0: never taken", Typed({{"Weight", {"0"}}}, {{"a.max", "", "0"}}), {}, ""},
        {"weight above the limit", Typed({{"Weight", {"1000001"}}}), Field("Weight"),
         "Kind 5, weight: \"1000001\" is not a whole number from 0 to 1000000."},
        {"weight with a point", Typed({{"Weight", {"1.5"}}}), Field("Weight"),
         "Kind 5, weight: \"1.5\" is not a whole number from 0 to 1000000."},
        {"variant without a file", Typed({}, {{"", "Oak", "1"}}), Field("Variant", VariantFilePart),
         "Kind 5, variant 1, Max file: empty."},
        {"a bar in an object", Typed({}, {{"a.max", "", "1"}, {"b.max", "x|y", "1"}}),
         Field("Variant", VariantObjectPart), "Kind 5, variant 2, object: a | cannot stand in it."},
        {"variant weight", Typed({}, {{"a.max", "", "x"}}), Field("Variant", VariantWeightPart),
         "Kind 5, variant 1, weight: \"x\" is not a whole number from 0 to 1000000."},
        {"thinning at its bounds, empty keep far",
         Typed({{"Keep", {"0"}}, {"ThinBeyond", {"0"}}, {"KeepFar", {""}}}),
         {},
         ""},
        {"keep above 100", Typed({{"Keep", {"100.5"}}}), Field("Keep"),
         "Kind 5, keep: \"100.5\" is not a number from 0 to 100."},
        {"thin beyond below 0", Typed({{"ThinBeyond", {"-1"}}}), Field("ThinBeyond"),
         "Kind 5, thin beyond: \"-1\" is not a number of 0 or more."},
        {"keep far no number", Typed({{"KeepFar", {"x"}}}), Field("KeepFar"),
         "Kind 5, keep far: \"x\" is not a number from 0 to 100."},
        {"far object without its file", Typed({{"FarModel", {" ", "Oak"}}}), Field("FarModel", 0),
         "Kind 5, far model: its object needs the Max file it is in."},
        {"boxes below 0", Typed({{"BoxFrom", {"-2"}}}), Field("BoxFrom"),
         "Kind 5, boxes beyond: \"-2\" is not a number of 0 or more."},
        {"stand no word of the table's", Typed({{"Stand", {" auto"}}}), Field("Stand"),
         "Kind 5, stand: \"auto\" is not pivot or base."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KindRow row{"5", "D:\\M\\Pine.max", "", true};
        row.plants.weight = 9;
        const KindRow before = row;
        const std::optional<VariationRefusal> refusal = ApplyVariationTexts(c.texts, row);
        if (c.field) {
            ASSERT_TRUE(refusal);
            EXPECT_EQ(refusal->field, *c.field);
            EXPECT_EQ(refusal->text, c.message);
            EXPECT_EQ(row.plants.weight, before.plants.weight) << "a refused row is left as it was";
        } else {
            ASSERT_FALSE(refusal) << refusal->text;
        }
    }
    KindRow row{"5", "", "", true};
    ASSERT_FALSE(ApplyVariationTexts(good, row));
    EXPECT_EQ(row.plants.turn, (ValueRange{-15, 15}));
    EXPECT_EQ(row.plants.scale, (ValueRange{80, 120}));
    EXPECT_EQ(row.plants.variants, (std::vector<KindVariant>{{"D:\\M\\Oak.max", "", 3}}));
    EXPECT_EQ(row.plants.thinning, (PlantThinning{60, 400, 30}));
    EXPECT_EQ(row.plants.detail, (PlantDetail{"F.max", "Oak|far", 300, 500}));
    EXPECT_EQ(row.plants.stand, PlantStand::Base);
    EXPECT_EQ(VariationTextsOf(row), Typed({{"Turn", {"-15", "15"}},
                                            {"Scale", {"80", "120"}},
                                            {"Weight", {"2"}},
                                            {"Keep", {"60"}},
                                            {"ThinBeyond", {"400"}},
                                            {"KeepFar", {"30"}},
                                            {"FarModel", {"F.max", "Oak|far"}},
                                            {"FarFrom", {"300"}},
                                            {"BoxFrom", {"500"}},
                                            {"Stand", {"base"}}},
                                           {{"D:\\M\\Oak.max", "", "3"}}));
}

// A value the table could not read is shown as written and marked; left as shown it stays, fault and
// all, and only what was changed must read.
TEST(VariationTexts, FaultsAreShownAsWrittenAndStayUnlessChanged) {
    const std::string weightRule = "is not a whole number from 0 to 1000000";
    KindRow faulty{"5", "D:\\M\\Pine.max", "", true};
    faulty.plants.scale = ValueRange{80, 120};
    faulty.plants.variants = {{"a.max", "", 1}, {"c.max", "", 3}};
    faulty.faults = {{"Turn", "0:36O", "is not FROM:TO", 0},
                     {"Weight", "x", weightRule, 0},
                     {"Variant2", "b.max|B|y", "has a weight that " + weightRule, 1},
                     {"Enabled", "yes", "is not 1 or 0", 0},
                     {"Keep", "6O", "is not a number from 0 to 100", 0},
                     {"Stand", "feet", "is not pivot or base", 0}};
    const std::string turnWhy = "Turn=0:36O is not FROM:TO";
    const std::string variantWhy = "Variant2=b.max|B|y has a weight that " + weightRule;
    VariationTexts expected = Typed({{"Turn", {"0", "36O"}},
                                     {"Scale", {"80", "120"}},
                                     {"Weight", {"x"}},
                                     {"Keep", {"6O"}},
                                     {"Stand", {"feet"}}},
                                    {{"a.max", "", "1"}, {"b.max", "B", "y"}, {"c.max", "", "3"}});
    expected.marks = {{Field("Turn", 0), 0, "0", turnWhy},
                      {Field("Turn", 1), 0, "36O", turnWhy},
                      {Field("Weight"), 0, "x", "Weight=x " + weightRule},
                      {Field("Keep"), 0, "6O", "Keep=6O is not a number from 0 to 100"},
                      {Field("Stand"), 0, "feet", "Stand=feet is not pivot or base"},
                      {Field("Variant", VariantFilePart), 1, "b.max", variantWhy},
                      {Field("Variant", VariantObjectPart), 1, "B", variantWhy},
                      {Field("Variant", VariantWeightPart), 1, "y", variantWhy}};
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
        {"turn mended", [](auto& t) { t.fieldTexts["Turn"][1] = "360"; }, "",
         "Weight Variant2 Enabled Keep Stand"},
        {"turn emptied",
         [](auto& t) {
             t.fieldTexts["Turn"] = {"", ""};
         },
         "", "Weight Variant2 Enabled Keep Stand"},
        {"turn mended and another variant changed",
         [](auto& t) {
             t.fieldTexts["Turn"][1] = "360";
             t.variants[2].weight = "4";
         },
         "", "Weight Variant2 Enabled Keep Stand"},
        {"turn edited, no number yet", [](auto& t) { t.fieldTexts["Turn"][1] = "36O "; },
         "Kind 5, turn to: the turn has a TO that is not a number.", all},
        {"weight mended to 0", [](auto& t) { t.fieldTexts["Weight"] = {"0"}; }, "",
         "Turn Variant2 Enabled Keep Stand"},
        {"scale changed", [](auto& t) { t.fieldTexts["Scale"][0] = "90"; }, "", all},
        {"another variant changed, the faulty one left", [](auto& t) { t.variants[2].weight = "4"; }, "",
         all},
        {"the variant above the faulty one removed",
         [](auto& t) {
             t.variants.erase(t.variants.begin());
             for (VariationMark& mark : t.marks)
                 mark.variant -= mark.field.key->list ? 1 : 0;
         },
         "", all},
        {"faulty variant edited, no number yet", [](auto& t) { t.variants[1].weight = "z"; },
         "Kind 5, variant 2, weight: \"z\" " + weightRule + ".", all},
        {"faulty variant mended", [](auto& t) { t.variants[1].weight = "2"; }, "",
         "Turn Weight Enabled Keep Stand"},
        {"keep mended", [](auto& t) { t.fieldTexts["Keep"] = {"60"}; }, "",
         "Turn Weight Variant2 Enabled Stand"},
        {"stand mended", [](auto& t) { t.fieldTexts["Stand"] = {"base"}; }, "",
         "Turn Weight Variant2 Enabled Keep"},
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
