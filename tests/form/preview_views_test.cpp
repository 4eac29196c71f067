#include "form/preview_views.h"
#include "form/preview_views_undo.h"
#include "lib/numbers.h"
#include "support/temp_dir.h"

#include <functional>
#include <gtest/gtest.h>

namespace tes::test {
namespace {

class PreviewViewsTest : public ::testing::Test {
protected:
    std::vector<PlantView> stored() const {
        Messages messages;
        return KindsTable::Read(path, messages).views();
    }

    TempDir dir;
    KindsTable table;
    std::string path = dir.file("Valley.tes.ini");
    PreviewViewsTable views{table, path};
    const PlantView first{{0, -300}, {0, 0}, 45, 10, 0, 0};
};

// A drag changes the table as it goes and writes it once, at its end.
TEST_F(PreviewViewsTest, SetAddAndRemoveGoIntoTheTableAndItsFile) {
    EXPECT_EQ(SetPreviewView(views, 0, first, false), std::nullopt);
    EXPECT_EQ(table.views(), std::vector<PlantView>{first});
    EXPECT_TRUE(stored().empty());
    PlantView second = first;
    second.target = {50, 50};
    EXPECT_EQ(SetPreviewView(views, 1, second, true), std::nullopt);
    EXPECT_EQ(stored(), (std::vector<PlantView>{first, second}));
    EXPECT_EQ(RemovePreviewView(views, 0), std::nullopt);
    EXPECT_EQ(stored(), std::vector<PlantView>{second});
    // A view that looks nowhere is refused.
    second.target = second.camera;
    EXPECT_EQ(SetPreviewView(views, 0, second, true)->kind, MessageKind::Refusal);
    EXPECT_EQ(stored().at(0).target, (GroundPoint{50, 50}));
}

TEST_F(PreviewViewsTest, AFieldIsReadByItsKeysRuleAndOnlyThenTaken) {
    ASSERT_EQ(SetPreviewView(views, 0, first, true), std::nullopt);
    const struct {
        ViewField field;
        const char* text;
        const char* problem; // empty: taken
        double value;
    } cases[] = {
        {ViewField::cameraX, " -12.5 ", "", -12.5},
        {ViewField::cameraY, "3,4", "Camera Y=3,4 is not a number", -300},
        {ViewField::cameraX, "", "Camera X= is not a number", -12.5},
        {ViewField::fov, "200", "Fov=200 is not a number from 1 to 179.9", 45},
        {ViewField::targetX, "-12.5", "", -12.5},
        {ViewField::targetY, "-300",
         "the camera and the target are the same point, so the view looks nowhere", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const ViewFieldEdit edit = SetPreviewViewField(views, 0, c.field, c.text);
        EXPECT_EQ(edit.problem, c.problem);
        EXPECT_EQ(edit.failure, std::nullopt);
        EXPECT_EQ(ViewFieldText(stored().at(0), c.field), DecimalText(c.value));
    }
}

// A view that cannot be read shows its texts as written, marked, and a typed field mends it only once
// every field reads.
TEST_F(PreviewViewsTest, AViewThatCannotBeReadIsShownAsWrittenAndMendedByItsFields) {
    dir.write("Valley.tes.ini", "[View1]\r\nCamera=5, abc\r\nTarget=1,0\r\nFov=200\r\n");
    Messages messages;
    table = KindsTable::Read(path, messages);
    ASSERT_EQ(table.viewSections().size(), 1u);
    const ViewSection& written = table.viewSections()[0];
    EXPECT_EQ(ViewFieldsOf(written), (ViewFieldTexts{"5", "abc", "1", "0", "200", "10", "0", "0"}));
    const ViewFieldTexts marks = ViewFieldFaultsOf(written);
    EXPECT_EQ(marks[0], "Camera=5, abc is not X,Y");
    EXPECT_EQ(marks[4], "Fov=200 is not a number from 1 to 179.9");
    EXPECT_TRUE(PreviewedViews(table).empty()) << "no plant is faded while a view cannot be read";

    ViewFieldEdit edit = SetPreviewViewField(views, 0, ViewField::cameraY, "7");
    EXPECT_EQ(edit.problem, "Fov=200 is not a number from 1 to 179.9");
    EXPECT_EQ(edit.field, ViewField::fov);
    ViewFieldTexts typed = ViewFieldsOf(table.viewSections()[0]);
    typed[1] = "7";
    typed[4] = "60";
    edit = SetPreviewViewFields(views, 0, typed, ViewField::fov);
    EXPECT_EQ(edit.problem, "");
    EXPECT_EQ(ReadBytes(path), "[View1]\r\nCamera=5,7\r\nTarget=1,0\r\nFov=60\r\n");
}

// Undo takes the changes back newest first, each through the save: the file then holds the views as
// before that change, a removed view under its own name, and every other line as it was.
TEST_F(PreviewViewsTest, UndoPutsTheViewsBackAsBeforeEachChange) {
    const std::string mine = "; mine\r\n[Vegetation_5]\r\nMaxFile=a.max\r\n";
    dir.write("Valley.tes.ini", mine);
    Messages messages;
    table = KindsTable::Read(path, messages);
    PreviewViewsUndo undo;
    PlantView second = first;
    second.camera = {40, -200};
    PlantView moved = second;
    moved.camera = {90, -90};
    const struct {
        const char* what;
        std::function<std::optional<Message>()> change;
    } changes[] = {
        {"View1 added", [&] { return SetPreviewView(views, 0, first, true); }},
        {"View2 added", [&] { return SetPreviewView(views, 1, second, true); }},
        {"View1 removed", [&] { return RemovePreviewView(views, 0); }},
        {"View2 placed", [&] { return SetPreviewView(views, 0, moved, true); }},
    };
    std::vector<std::vector<ViewSection>> befores;
    for (const auto& c : changes) {
        befores.push_back(table.viewSections());
        ASSERT_EQ(c.change(), std::nullopt) << c.what;
        undo.record(befores.back(), c.what);
    }
    for (std::size_t i = std::size(changes); i-- > 0;) {
        EXPECT_EQ(undo.next(), changes[i].what);
        EXPECT_EQ(undo.undo(views), std::nullopt);
        EXPECT_EQ(KindsTable::Read(path, messages).viewSections(), befores[i]) << changes[i].what;
        EXPECT_EQ(ReadBytes(path).substr(0, mine.size()), mine);
    }
    EXPECT_TRUE(undo.empty());
    EXPECT_EQ(ReadBytes(path), mine);
}

} // namespace
} // namespace tes::test
