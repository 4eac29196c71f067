#pragma once

#include "form/context.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace tes::test {

// A loaded project on the main tile of a 5 x 5 terrain with grid resolution 3 (H 1920, T 768), the
// object Tree from C:\Models\Tree.max, vegetation 5 chosen, an object scale of exactly 100.
struct ScriptProject {
    ScriptProject() {
        ctx.session.ProjectBasePath = dir.file("Valley");
        ctx.session.TerrainWidth = 5;
        ctx.session.SaveToFile = true;
        set(TextField::txtGridRes, "3");
        set(TextField::txtMaxFile, R"(C:\Models\Tree.max)");
        set(TextField::txtMaxObjectName, "Tree");
        set(TextField::txtObjectScale, "100");
        set(TextField::txtRotationAngle, "0.000");
        ctx.form.setCheck(CheckBox::chkUseObjectScale, kChecked);
        ctx.form.addComboItem("Vegetation_5:  Pine");
        ctx.form.addComboItem("Vegetation_12:  Birch");
        ctx.form.setComboText("Vegetation_5:  Pine");
        ctx.kinds = {{"5", "Pine", {"5"}}, {"12", "Birch", {"12"}}};
    }

    void set(TextField field, std::string_view text) { ctx.form.setText(field, text); }
    void addRecord(std::string_view line) { ctx.form.list(ListId::List1).append(line); }
    std::vector<std::string> script() const { return ctx.form.list(ListId::List2).toVector(); }
    std::string scriptPath() const { return dir.file("Valley_MainVeg_05.ms"); }
    std::vector<std::string> folderEntries() const { return dir.entries(); }

    ProgressPlatform platform;
    Context ctx{platform};
    TempDir dir;
};

class ScriptTest : public ::testing::Test, public ScriptProject {};

} // namespace tes::test
