#include "form/project_routines.h"
#include "program_fixture.h"

#include <functional>
#include <string>
#include <vector>

namespace tes::test {
namespace {

using Texts = std::vector<std::string>;

class MainHandlersTest : public ProgramTest {};

TEST_F(MainHandlersTest, TheTileBoxesAlwaysHoldOppositeStates) {
    const std::pair<CheckBox, int> clicks[] = {{CheckBox::chkMainTile, kUnchecked},
                                               {CheckBox::chkMainTile, kChecked},
                                               {CheckBox::chkPerimeterTile, kUnchecked},
                                               {CheckBox::chkPerimeterTile, kChecked}};
    for (const auto& [box, mainAfter] : clicks) {
        ctx.form.click(box);
        EXPECT_EQ(ctx.form.check(CheckBox::chkMainTile), mainAfter);
        EXPECT_EQ(ctx.form.check(CheckBox::chkPerimeterTile), 1 - mainAfter);
    }
}

TEST_F(MainHandlersTest, SaveToFileFollowsItsBox) {
    EXPECT_TRUE(ctx.session.SaveToFile);
    ctx.form.click(CheckBox::chkSave);
    EXPECT_FALSE(ctx.session.SaveToFile);
    ctx.form.click(CheckBox::chkSave);
    EXPECT_TRUE(ctx.session.SaveToFile);
}

TEST_F(MainHandlersTest, RotationControlsFollowTheRotateBox) {
    ctx.form.setText(TextField::txtRotationAngle, "12.5");
    for (const bool rotate : {false, true}) {
        ctx.form.click(CheckBox::chkRotateObjects);
        EXPECT_EQ(ctx.form.checkBox(CheckBox::chkFaceTolvaneSun).enabled, rotate);
        EXPECT_EQ(ctx.form.field(TextField::txtRotationAngle).enabled, rotate);
        EXPECT_EQ(ctx.form.rotationAngleLabelEnabled(), rotate);
        EXPECT_TRUE(ctx.form.isChecked(CheckBox::chkFaceTolvaneSun));
        EXPECT_EQ(text(TextField::txtRotationAngle), "12.5");
    }
}

TEST_F(MainHandlersTest, FacingTheSunLocksAndSetsTheAngle) {
    ctx.form.setText(TextField::txtHeading, "90");
    ctx.form.click(CheckBox::chkFaceTolvaneSun); // off: unlocked, text unchanged
    EXPECT_FALSE(ctx.form.field(TextField::txtRotationAngle).locked);
    EXPECT_EQ(text(TextField::txtRotationAngle), "0.000");
    ctx.form.click(CheckBox::chkFaceTolvaneSun);
    EXPECT_TRUE(ctx.form.field(TextField::txtRotationAngle).locked);
    EXPECT_EQ(text(TextField::txtRotationAngle), "180");
    ctx.form.click(CheckBox::chkFaceTolvaneSun);
    EXPECT_FALSE(ctx.form.field(TextField::txtRotationAngle).locked);
    EXPECT_EQ(text(TextField::txtRotationAngle), "180");
}

TEST_F(MainHandlersTest, FaceTolvaneSunIsTwoHundredSeventyMinusTheHeading) {
    const std::pair<const char*, const char*> cases[] = {
        {"90", "180"}, {"296.6", "-26.6"}, {"0", "270"}, {"", "270"}, {"abc", "270"}, {"1E999", "unchanged"}};
    for (const auto& [heading, angle] : cases) {
        ctx.form.setText(TextField::txtRotationAngle, "unchanged");
        ctx.form.setText(TextField::txtHeading, heading);
        FaceTolvaneSun(ctx);
        EXPECT_EQ(text(TextField::txtRotationAngle), angle) << heading;
    }
}

TEST_F(MainHandlersTest, ObjectScaleOptionSwapsTheEditableField) {
    for (const bool useScale : {true, false}) {
        ctx.form.click(CheckBox::chkUseObjectScale);
        const TextFieldState& grid = ctx.form.field(TextField::txtGridSize);
        const TextFieldState& scale = ctx.form.field(TextField::txtObjectScale);
        EXPECT_EQ(grid.locked, useScale);
        EXPECT_EQ(grid.grey, useScale);
        EXPECT_EQ(scale.locked, !useScale);
        EXPECT_EQ(scale.grey, !useScale);
        EXPECT_EQ(grid.text, "256");
        EXPECT_EQ(scale.text, "33.333333");
    }
}

struct FocusCase {
    std::string before;
    std::string after;
};

void ExpectFocusLoss(Context& ctx, TextField field, void (*check)(Context&),
                     std::initializer_list<FocusCase> cases) {
    for (const FocusCase& c : cases) {
        ctx.form.setText(field, c.before);
        check(ctx);
        EXPECT_EQ(ctx.form.text(field), c.after) << Name(field) << " '" << c.before << "'";
    }
}

// Each field's check writes its rule's text back into the field.
TEST_F(MainHandlersTest, FocusLossWritesTheRuleBack) {
    ExpectFocusLoss(ctx, TextField::txtGridSize, txtGridSize_LostFocus, {{"2.5", "2"}});
    ExpectFocusLoss(ctx, TextField::txtObjectScale, txtObjectScale_LostFocus, {{"50", "50.000000"}});
    ExpectFocusLoss(ctx, TextField::txtHeading, txtHeading_LostFocus, {{"400", "359.9"}});
    ExpectFocusLoss(ctx, TextField::txtPitch, txtPitch_LostFocus, {{"45.0", "45"}});
}

TEST_F(MainHandlersTest, AHeadingLeftTurnsTheObjectsWhenFacingTheSun) {
    ctx.form.setText(TextField::txtHeading, "90");
    txtHeading_LostFocus(ctx);
    EXPECT_EQ(text(TextField::txtRotationAngle), "180");
    ctx.form.click(CheckBox::chkFaceTolvaneSun);
    ctx.form.setText(TextField::txtHeading, "45");
    txtHeading_LostFocus(ctx);
    EXPECT_EQ(text(TextField::txtRotationAngle), "180");
}

TEST_F(MainHandlersTest, TheObjectNameFollowsTheMaxFileAtEveryKeystroke) {
    const std::string path = "C:\\a\\Pine.max";
    Texts names;
    for (std::size_t n = 1; n <= path.size(); ++n) {
        ctx.form.setText(TextField::txtMaxFile, path.substr(0, n));
        names.push_back(text(TextField::txtMaxObjectName));
    }
    EXPECT_EQ(names, (Texts{"C", "", "", "a", "", "P", "Pi", "Pin", "Pine", "Pine", "Pine", "Pine", "Pine"}));

    const std::pair<const char*, const char*> cases[] = {
        {"D:\\Models\\Oak Tree.max", "Oak Tree"}, {"D:\\Models\\oak.old.max", "oak.old"}, {"", ""}};
    for (const auto& [file, name] : cases) {
        ctx.form.setText(TextField::txtMaxFile, file);
        EXPECT_EQ(text(TextField::txtMaxObjectName), name);
    }
}

TEST_F(MainHandlersTest, TheObjectNameIsFreeWhileTheBoxIsUnchecked) {
    ctx.form.setText(TextField::txtMaxFile, "C:\\a\\Pine.max");
    ctx.form.setText(TextField::txtMaxObjectName, "Typed");
    txtMaxFile_Click(ctx);
    EXPECT_EQ(text(TextField::txtMaxObjectName), "Pine");

    ctx.form.click(CheckBox::chkUseMaxName);
    ctx.form.setText(TextField::txtMaxObjectName, "Typed");
    ctx.form.setText(TextField::txtMaxFile, "C:\\a\\Birch.max");
    txtMaxFile_Click(ctx);
    EXPECT_EQ(text(TextField::txtMaxObjectName), "Typed");
    ctx.form.click(CheckBox::chkUseMaxName);
    EXPECT_EQ(text(TextField::txtMaxObjectName), "Birch");
}

TEST_F(MainHandlersTest, BrowsingForAMaxFile) {
    platform.dialogAnswers.push_back("D:\\Models\\Oak Tree.max");
    btnBrowseMaxFile_Click(ctx);
    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    ExpectOpenDialog(platform.dialogRequests[0], "Select Max Object File", "/home/user/Documents",
                     "MAX File (*.max)|*.max");
    EXPECT_EQ(ctx.session.ObjectDir, "D:\\Models");
    EXPECT_EQ(platform.settingWrites, (Texts{"DefaultDir=/home/user/Documents", "ObjectDir=D:\\Models"}));
    EXPECT_EQ(text(TextField::txtMaxFile), "D:\\Models\\Oak Tree.max");
    EXPECT_EQ(text(TextField::txtMaxObjectName), "Oak Tree");

    btnBrowseMaxFile_Click(ctx); // cancelled
    EXPECT_EQ(platform.dialogRequests.back().initialFolder, "D:\\Models");
    EXPECT_EQ(ctx.session.ObjectDir, "D:\\Models");
    EXPECT_EQ(platform.settingWrites.size(), 2u);
    EXPECT_EQ(text(TextField::txtMaxFile), "D:\\Models\\Oak Tree.max");
    EXPECT_EQ(text(TextField::txtMaxObjectName), "Oak Tree");
}

} // namespace
} // namespace tes::test
