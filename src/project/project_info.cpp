#include "project/project_info.h"

#include "core/context.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/routine_failure.h"
#include "project/sun.h"

#include <new>
#include <string>

namespace tes {

namespace {

void ReadTileCount(Context& ctx) {
    const std::string width =
        GetINIString("Environment", "TerrainWidth", ctx.session.SceneFilePath, ctx.platform);
    if (width.empty()) {
        ctx.platform.showMessage("Cannot determine TerrainWidth value from project files.  Using default...");
        return;
    }
    ctx.session.TerrainWidth = ToInt32(checkedFinite(LeadingNumberValue(width)));
    ctx.form.setText(TextField::txtNumberOfTiles, width + " x " + width);
}

void ReadGridResolution(Context& ctx) {
    const std::string scale =
        GetINIString("Environment", "TerrainWidthScale", ctx.session.SceneFilePath, ctx.platform);
    if (scale.empty()) {
        ctx.platform.showMessage(
            "Cannot determine TerrainWidthScale value from project files.  Using default...");
        return;
    }
    ctx.form.setText(TextField::txtGridRes, scale);
}

void ReadSun(Context& ctx) {
    const std::string target =
        GetINIString("Light2", "TargetPosition", ctx.session.SceneFilePath, ctx.platform);
    if (target.empty()) {
        ctx.platform.showMessage("Error reading Sun Location(Light2) in SCN file. Using default...");
        ctx.form.setText(TextField::txtHeading, "90");
        ctx.form.setText(TextField::txtPitch, "45");
        return;
    }
    auto coordinate = [&target](int index) {
        return checkedFinite(LeadingNumberValue(GetElement(target, ",", index)));
    };
    const SunDirection sun = SunFromTarget(coordinate(0), coordinate(1), coordinate(2), ctx.session.Pi);
    if (sun.pitchClamped)
        ctx.platform.showMessage("Tolvane 90 degree Pitch bug detected.  Correcting to 89.9 degrees");
    ctx.form.setText(TextField::txtHeading, DecimalText(sun.heading));
    ctx.form.setText(TextField::txtPitch, DecimalText(sun.pitch));
}

} // namespace

void GetProjectInfo(Context& ctx) {
    try {
        ReadTileCount(ctx);
        ReadGridResolution(ctx);
        ReadSun(ctx);
    } catch (const Failure& failure) {
        ctx.platform.showMessage(FailureMessageDescriptionFirst("GetProjectInfo", failure));
    } catch (const std::bad_alloc&) {
        ctx.platform.showMessage(FailureMessageDescriptionFirst("GetProjectInfo", failures::outOfMemory()));
    }
}

} // namespace tes
