#pragma once

#include "form/load_command.h"
#include "form/process_command.h"
#include "program_fixture.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tes::test {

using Texts = std::vector<std::string>;

// A plain project: a 3 x 3 terrain of grid resolution 1 (the main tile spans 256 to 512 on both
// axes), a sun, and one vegetation kind.
inline const std::string kPlainScene = "[Environment]\r\nTerrainWidth=3\r\nTerrainWidthScale=1\r\n"
                                       "[Light2]\r\nTargetPosition=1,0,1\r\n";
inline const std::string kPlainDefinitions = "[Vegetation_3]\r\nName=Larch\r\n";

// The scene reader's messages for values it cannot find.
inline const std::string kWidthMessage =
    "Cannot determine TerrainWidth value from project files.  Using default...";
inline const std::string kScaleMessage =
    "Cannot determine TerrainWidthScale value from project files.  Using default...";
inline const std::string kSunMessage = "Error reading Sun Location(Light2) in SCN file. Using default...";

// The program after start-up, loading projects of its own and processing them.
class ProjectRun : public ProgramTest {
protected:
    std::string writeProject(const std::string& base, const std::string& environment,
                             const std::string& scene = kPlainScene,
                             const std::string& definitions = kPlainDefinitions) {
        dir.write(base + ".txt", environment);
        dir.write(base + ".scn", scene);
        dir.write(base + ".est", definitions);
        return dir.write(base + ".prj", "Tolvane project\r\n");
    }
    void load(const std::string& projectFile) {
        platform.dialogAnswers.push_back(projectFile);
        btnBrowseProjectFile_Click(ctx);
    }
    // Processes the first vegetation kind with the given object and rotation.
    void process(const std::string& maxFile, const std::string& objectName, const std::string& rotation) {
        ctx.form.setText(TextField::txtMaxFile, maxFile);
        ctx.form.setCheck(CheckBox::chkUseMaxName, kUnchecked);
        ctx.form.setText(TextField::txtMaxObjectName, objectName);
        ctx.form.setCheck(CheckBox::chkFaceTolvaneSun, kUnchecked);
        ctx.form.setCheck(CheckBox::chkRotateObjects, kChecked);
        ctx.form.setText(TextField::txtRotationAngle, rotation);
        if (!ctx.form.comboItems().empty())
            ctx.form.setComboText(ctx.form.comboItems().front());
        btnProcess_Click(ctx);
    }
};

} // namespace tes::test
