#include "project/vegetation_list.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes::test {
namespace {

using Texts = std::vector<std::string>;

class VegetationKindsTest : public ::testing::Test {
protected:
    // The kinds of records of the given kinds, their names from a definitions file of four kinds.
    VegetationKinds read(const Texts& kinds) {
        LineList records;
        for (const std::string& kind : kinds)
            records.append(kind + ",2000,0,2000");
        Messages messages;
        VegetationKinds found = ReadVegetationKinds(records, definitions, messages);
        texts.clear();
        for (const Message& message : messages)
            texts.push_back(message.text);
        return found;
    }

    TempDir dir;
    const std::string definitions = dir.write("Valley.est", "[Vegetation_5]\r\nName=Pine\r\n"
                                                            "[Vegetation_12]\r\nName=Fern\r\n"
                                                            "[Vegetation_100]\r\nName=Reed\r\n"
                                                            "[Vegetation_0]\r\nName=Nameless\r\n");
    Texts texts; // the messages of the last read
};

TEST_F(VegetationKindsTest, ListsEachKindOnceInTextOrder) {
    struct Case {
        const char* name;
        Texts kinds;
        Texts listed;
        Texts entries;
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
        const VegetationKinds kinds = read(c.kinds);
        EXPECT_EQ(kinds.listed, c.listed);
        EXPECT_EQ(VegetationEntries(kinds), c.entries);
        EXPECT_TRUE(texts.empty());
    }
}

// More kinds than are compared packed, and texts too long to pack, with letter-case variants.
TEST_F(VegetationKindsTest, ManyAndLongKindTexts) {
    Texts records;
    for (int round = 0; round < 2; ++round) {
        for (int kind = 40; kind >= 1; --kind)
            records.push_back(std::to_string(kind));
        records.push_back(round == 0 ? "Spruce-Variant" : "SPRUCE-variant");
    }
    const VegetationKinds kinds = read(records);
    ASSERT_EQ(kinds.listed.size(), 41u);
    EXPECT_EQ(kinds.listed.front(), "01");
    EXPECT_EQ(kinds.listed[9], "10");
    EXPECT_EQ(kinds.listed.back(), "Spruce-Variant");
    EXPECT_EQ(VegetationEntries(kinds).size(), 41u);
}

// A number beyond the double range has no section name: the entries before it stay.
TEST_F(VegetationKindsTest, AHugeNumberEndsTheLookups) {
    const VegetationKinds kinds = read({"5", "9e999"});
    EXPECT_EQ(kinds.listed, (Texts{"05", "9e999"}));
    EXPECT_EQ(VegetationEntries(kinds), Texts{"Vegetation_5:  Pine"});
    EXPECT_EQ(texts, Texts{"Unexpected error in LoadVegetationList: Overflow ( 6)"});
}

} // namespace
} // namespace tes::test
