#include "form/preview_areas.h"
#include "lib/file_access.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

// The points drawn end as a closed area, or as a line when Width holds a number; a value the table
// cannot read, or a shape it cannot use, is named and ends nothing.
TEST(PreviewAreas, ADraftEndsByThePanelsValues) {
    const std::vector<GroundPoint> two{{0, 0}, {10, 0}};
    const std::vector<GroundPoint> three{{0, 0}, {10, 0}, {0, 10}};
    const struct {
        std::vector<GroundPoint> points;
        AreaFieldTexts texts;
        const char* problem; // empty: ends
        AreaField field;
    } cases[] = {
        {three, {"include", "1, 05", "", "2.5"}, "", AreaField::mode},
        {two, {"exclude", "", "8", "0"}, "", AreaField::mode},
        {two,
         {"exclude", "", "", "0"},
         "a closed area needs three points or more (give a Width for a line)",
         AreaField::width},
        {three,
         {"exclude", "1;5", "", "0"},
         "Kinds=1;5 is not kind numbers apart by commas (1,5)",
         AreaField::kinds},
        {three,
         {"exclude", "", "", "-1"},
         "Falloff=-1 is not a number from 0 to 1000000000",
         AreaField::falloff},
        {{}, {"sideways", "", "", "0"}, "Mode=sideways is not exclude or include", AreaField::mode},
    };
    for (const auto& c : cases) {
        const AreaDraft draft = DraftArea(c.points, c.texts);
        EXPECT_EQ(draft.problem, c.problem);
        EXPECT_EQ(draft.area.has_value(), *c.problem == '\0') << c.problem;
        if (*c.problem != '\0') {
            EXPECT_EQ(draft.field, c.field) << c.problem;
        }
    }
    const PlantArea road = *DraftArea(two, {"exclude", "", "8", "0"}).area;
    EXPECT_EQ(road.width, 8.0);
    EXPECT_EQ(DraftArea(three, {"include", "1, 05", "", "2.5"}).area->kinds,
              (std::vector<std::string>{"1", "5"}));
}

// An area whose value cannot be read is shown as written and mended by the panel's values, its points
// kept; the lines of the rest of the file stay.
TEST(PreviewAreas, ThePanelMendsAnAreaThatCannotBeRead) {
    TempDir dir;
    const std::string path = dir.write("Valley.tes.ini", "; mine\r\n[Area1]\r\nPoints=0,0 10,0 0,10\r\n"
                                                         "Mode=sideways\r\n[Vegetation_5]\r\nKeep=50\r\n");
    Messages read;
    KindsTable table = KindsTable::Read(path, read);
    const AreaSection& section = table.areaSections().at(0);
    EXPECT_EQ(AreaFieldsOf(section)[0], "sideways");
    EXPECT_EQ(AreaFieldFaultsOf(section)[0], "Mode=sideways is not exclude or include");
    EXPECT_EQ(AreaListText(section), "Area1 (cannot be read)");

    const AreaFieldEdit edit = SetPreviewAreaFields({table, path}, 0, {"include", "5", "", "3"});
    ASSERT_EQ(edit.problem, "");
    EXPECT_EQ(edit.failure, std::nullopt);
    EXPECT_EQ(AreaListText(table.areaSections().at(0)), "Area1: closed, include, kinds 5, falloff 3");
    const std::string text = ReadBytes(path);
    EXPECT_NE(text.find("; mine\r\n[Area1]\r\nPoints=0,0 10,0 0,10\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Vegetation_5]\r\nKeep=50\r\n"), std::string::npos) << text;
    EXPECT_EQ(AreaPointNear(table.areas().at(0).points, 9, 1, 2), 1u);
    EXPECT_EQ(AreaPointNear(table.areas().at(0).points, 5, 5, 2), std::nullopt);
}

} // namespace
} // namespace tes::test
