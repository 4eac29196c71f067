#include "form/project_routines.h"
#include "program_fixture.h"

#include <string>
#include <vector>

namespace tes::test {
namespace {

using Texts = std::vector<std::string>;

class VegetationListTest : public ProgramTest {
protected:
    VegetationListTest() {
        ctx.session.VegetationFilePath = dir.write("Valley.est", "[Vegetation_5]\r\nName=Pine\r\n"
                                                                 "[Vegetation_12]\r\nName=Fern\r\n"
                                                                 "[Vegetation_100]\r\nName=Reed\r\n"
                                                                 "[Vegetation_0]\r\nName=Nameless\r\n");
    }
    void load(const Texts& kinds) {
        LineList& list1 = ctx.form.list(ListId::List1);
        list1.clear();
        for (const std::string& kind : kinds)
            list1.append(kind + ",2000,0,2000");
        LoadVegetationList(ctx);
    }
};

TEST_F(VegetationListTest, ListsEachKindOnceInTextOrder) {
    struct Case {
        const char* name;
        Texts kinds;
        Texts list3;
        Texts combo;
    };
    const Case cases[] = {
        {"repeats",
         {"12", "5", "12", "7", "5"},
         {"05", "07", "12"},
         {"Vegetation_5:  Pine", "Vegetation_7:  ", "Vegetation_12:  Fern"}},
        {"5 and 05 are two values",
         {"5", "05", "5"},
         {"05", "05"},
         {"Vegetation_5:  Pine", "Vegetation_5:  Pine"}},
        {"order of text",
         {"11", "100", "10"},
         {"10", "100", "11"},
         {"Vegetation_10:  ", "Vegetation_100:  Reed", "Vegetation_11:  "}},
        {"letter case ignored",
         {"b", "A", "a", "B"},
         {"A", "b"},
         {"Vegetation_0:  Nameless", "Vegetation_0:  Nameless"}},
        {"other text stays",
         {" 5 ", "Fir", "1e1", "&H5", "1 2"},
         {"05", "05", "1 2", "10", "Fir"},
         {"Vegetation_5:  Pine", "Vegetation_5:  Pine", "Vegetation_12:  Fern",
          "Vegetation_10:  ", "Vegetation_0:  Nameless"}},
        {"nothing kept", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ctx.form.setComboText("typed");
        load(c.kinds);
        EXPECT_EQ(list(ListId::List3), c.list3);
        EXPECT_EQ(ctx.form.comboItems(), c.combo);
        EXPECT_EQ(ctx.form.comboText(), "");
    }
    EXPECT_TRUE(platform.messages.empty());
}

// More kinds than are compared packed, and texts too long to pack, with letter-case variants.
TEST_F(VegetationListTest, ManyAndLongKindTexts) {
    Texts kinds;
    for (int round = 0; round < 2; ++round) {
        for (int kind = 40; kind >= 1; --kind)
            kinds.push_back(std::to_string(kind));
        kinds.push_back(round == 0 ? "Spruce-Variant" : "SPRUCE-variant");
    }
    load(kinds);
    const Texts items = list(ListId::List3);
    ASSERT_EQ(items.size(), 41u);
    EXPECT_EQ(items.front(), "01");
    EXPECT_EQ(items[9], "10");
    EXPECT_EQ(items.back(), "Spruce-Variant");
    EXPECT_EQ(ctx.form.comboItems().size(), 41u);
}

// A number beyond the double range has no section name: the entries before it stay.
TEST_F(VegetationListTest, AHugeNumberEndsTheRoutine) {
    load({"5", "9e999"});
    EXPECT_EQ(list(ListId::List3), (Texts{"05", "9e999"}));
    EXPECT_EQ(ctx.form.comboItems(), Texts{"Vegetation_5:  Pine"});
    EXPECT_EQ(platform.messages, Texts{"Unexpected error in LoadVegetationList: Overflow ( 6)"});
}

} // namespace
} // namespace tes::test
