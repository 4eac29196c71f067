#include "cli/area_options.h"

#include "cli/variation_options.h"
#include "lib/failure.h"
#include "lib/file_access.h"
#include "lib/numbers.h"
#include "project/area_keys.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace tes::cli {

namespace {

constexpr const char* kGroup = "Area options";

// A breadth of the areas given, read as the kinds table reads its key.
void AddBreadth(CLI::App& app, const char* name, std::optional<double>& target, const std::string& help) {
    app.add_option_function<std::string>(
           name,
           [&target, name](const std::string& text) {
               RefuseEmpty(name, text, kAreaDistanceRule);
               target = ReadOption(name, text, &ReadFalloff);
           },
           help + ": " + std::string(kAreaDistanceRule))
        ->type_name("N")
        ->group(kGroup);
}

// Every area of the file or, when a line cannot be read, none: the command ends before it writes.
void AddAreasFromFile(const std::string& file, AreaOptions& areas) {
    std::string text;
    try {
        text = ReadFileBytes(file);
    } catch (const Failure& failure) {
        throw CLI::ValidationError("--areas-from", file + " cannot be read: " + failure.reason());
    }
    AreaLines lines = ReadAreaLines(text, file);
    if (lines.problem)
        throw CLI::ValidationError("--areas-from", *lines.problem);
    for (GivenArea& area : lines.areas)
        areas.shapes.push_back(std::move(area));
}

} // namespace

std::vector<PlantArea> AreaOptions::areas() const {
    std::vector<PlantArea> areas;
    for (const GivenArea& shape : shapes) {
        PlantArea area;
        area.points = shape.points;
        area.width = shape.width ? shape.width : width;
        area.mode = include ? AreaMode::include : AreaMode::exclude;
        area.kinds = kinds;
        area.falloff = falloff.value_or(0);
        areas.push_back(std::move(area));
    }
    return areas;
}

void AddAreaOptions(CLI::App& app, AreaOptions& areas) {
    app.add_option_function<std::vector<std::string>>(
           "--area",
           [&areas](const std::vector<std::string>& texts) {
               for (const std::string& text : texts) {
                   RefuseEmpty("--area", text, "points " + std::string(kAreaPointsForm));
                   areas.shapes.push_back({ReadOption("--area", text, &ReadAreaPoints), {}, {}});
               }
           },
           "Add an area to the project's, kept in the kinds table: a closed outline through the points "
           "(the scene's X and Y, as 3ds Max shows them), or with --width a line such as a road. "
           "Without --include no plant grows in it. Repeatable; at most 10000 points apart by blanks, "
           "in one argument: \"X,Y X,Y ...\"")
        ->type_name("\"X,Y X,Y ...\"")
        ->group(kGroup);
    app.add_option_function<std::vector<std::string>>(
           "--areas-from",
           [&areas](const std::vector<std::string>& files) {
               for (const std::string& file : files)
                   AddAreasFromFile(file, areas);
           },
           "Add the areas of a text file, one a line as the 3ds Max snippet of docs/areas.md writes them: "
           "--area \"X,Y X,Y ...\" with an optional --width W; blank lines and lines starting with # are "
           "skipped. The other area options apply to each. Repeatable")
        ->type_name("FILE")
        ->group(kGroup);
    AddBreadth(app, "--width", areas.width,
               "Each area given is an open line this wide instead of a closed outline (a road, a river)");
    app.add_flag(
           "--include", areas.include,
           "Each area given holds its kinds' plants instead of clearing them: they grow only inside the "
           "include areas that name them")
        ->group(kGroup);
    app.add_option_function<std::string>(
           "--area-kinds",
           [&areas](const std::string& text) {
               RefuseEmpty("--area-kinds", text, "kind numbers apart by commas");
               areas.kinds = ReadOption("--area-kinds", text, &ReadAreaKinds);
           },
           "The kinds each area given acts on, their numbers apart by commas (default: every kind)")
        ->type_name("N,N")
        ->group(kGroup);
    AddBreadth(app, "--falloff", areas.falloff,
               "Thin the plants progressively over this distance from the edge of each area given, outside "
               "an exclude area and inside an include area (default 0: a hard edge)");
    CLI::Option* one = app.add_option_function<std::vector<std::size_t>>(
                              "--no-area",
                              [&areas](const std::vector<std::size_t>& numbers) {
                                  for (const std::size_t number : numbers) {
                                      if (number == 0)
                                          throw CLI::ValidationError("--no-area", "0 is no area's number");
                                      areas.removed.push_back(number);
                                  }
                              },
                              "Remove the area of this number, as 'kinds' lists them; repeatable")
                           ->type_name("N")
                           ->group(kGroup);
    app.add_flag_callback(
           "--no-areas", [&areas] { areas.removeAll = true; },
           "Remove the project's areas: plants grow everywhere again; not with --no-area")
        ->excludes(one)
        ->group(kGroup);
}

void AddRunAreaOption(CLI::App& app, bool& noAreas) {
    app.add_flag("--no-areas", noAreas,
                 "For this run, write every plant, whatever areas the kinds table holds")
        ->group(kGroup);
}

void CheckAreaOptions(const AreaOptions& areas) {
    if (areas.shapes.empty()) {
        for (const auto& [name, given] :
             {std::pair("--width", areas.width.has_value()), std::pair("--include", areas.include),
              std::pair("--area-kinds", !areas.kinds.empty()),
              std::pair("--falloff", areas.falloff.has_value())}) {
            if (given)
                throw CLI::ValidationError(name, "applies to an area given with it (--area, --areas-from)");
        }
    }
    const std::vector<PlantArea> given = areas.areas();
    for (std::size_t i = 0; i < given.size(); ++i) {
        const std::string& source = areas.shapes[i].source;
        if (std::optional<std::string> problem = AreaProblem(given[i]))
            throw CLI::ValidationError(source.empty() ? "--area" : "--areas-from",
                                       (source.empty() ? AreaPointsText(given[i].points) : source) + ": " +
                                           *problem);
    }
}

std::optional<std::string> ApplyAreaOptions(const AreaOptions& areas, KindsTable& table) {
    if (areas.removeAll)
        table.removeAreas();
    std::vector<std::size_t> removed = areas.removed;
    // The highest first, so that each number stays the area `kinds` listed.
    std::sort(removed.rbegin(), removed.rend());
    removed.erase(std::unique(removed.begin(), removed.end()), removed.end());
    for (const std::size_t number : removed) {
        if (number > table.areaSections().size())
            return "There is no area " + std::to_string(number) + " in " + table.fileName() + "; it has " +
                   std::to_string(table.areaSections().size()) + ".";
        table.removeArea(number - 1);
    }
    for (const PlantArea& area : areas.areas())
        table.setArea(table.areaSections().size(), area);
    return std::nullopt;
}

std::string AreaText(const PlantArea& area) {
    return AreaPointsText(area.points) + '\t' +
           (area.width ? "width " + DecimalText(*area.width) : "closed") + '\t' + AreaModeText(area.mode) +
           "\tkinds " + (area.kinds.empty() ? "all" : AreaKindsText(area.kinds)) + "\tfalloff " +
           DecimalText(area.falloff);
}

} // namespace tes::cli
