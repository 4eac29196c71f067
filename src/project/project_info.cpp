#include "project/project_info.h"

#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/reader_step.h"
#include "project/sun.h"

#include <new>

namespace tes {

namespace {

void ReadTileCount(const std::string& scenePath, SceneValues& values, Messages& messages) {
    const std::string width = GetINIString("Environment", "TerrainWidth", scenePath, messages);
    if (width.empty()) {
        messages.push_back(
            Notice("Cannot determine TerrainWidth value from project files.  Using default..."));
        return;
    }
    values.terrainWidth = ToInt32(checkedFinite(LeadingNumberValue(width)));
    values.tileFormat = width + " x " + width;
}

void ReadGridResolution(const std::string& scenePath, SceneValues& values, Messages& messages) {
    const std::string scale = GetINIString("Environment", "TerrainWidthScale", scenePath, messages);
    if (scale.empty()) {
        messages.push_back(
            Notice("Cannot determine TerrainWidthScale value from project files.  Using default..."));
        return;
    }
    values.gridRes = scale;
}

void ReadSun(const std::string& scenePath, SceneValues& values, Messages& messages) {
    const std::string target = GetINIString("Light2", "TargetPosition", scenePath, messages);
    if (target.empty()) {
        messages.push_back(Notice("Error reading Sun Location(Light2) in SCN file. Using default..."));
        values.heading = "90";
        values.pitch = "45";
        return;
    }
    auto coordinate = [&target](int index) {
        return checkedFinite(LeadingNumberValue(GetElement(target, ",", index)));
    };
    const SunDirection sun = SunFromTarget(coordinate(0), coordinate(1), coordinate(2));
    if (sun.pitchClamped)
        messages.push_back(Notice("Tolvane 90 degree Pitch bug detected.  Correcting to 89.9 degrees"));
    values.heading = DecimalText(sun.heading);
    values.pitch = DecimalText(sun.pitch);
}

} // namespace

void ReadProjectInfo(const std::string& scenePath, SceneValues& values, Messages& messages) {
    try {
        ReadTileCount(scenePath, values, messages);
        ReadGridResolution(scenePath, values, messages);
        ReadSun(scenePath, values, messages);
    } catch (const Failure& failure) {
        messages.push_back(ReaderFailure(ReaderStep::ProjectInfo, failure));
    } catch (const std::bad_alloc&) {
        messages.push_back(ReaderFailure(ReaderStep::ProjectInfo, failures::outOfMemory()));
    }
}

} // namespace tes
