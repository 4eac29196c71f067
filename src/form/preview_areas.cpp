#include "form/preview_areas.h"

#include "lib/numbers.h"
#include "project/area_keys.h"
#include "project/kinds_table_areas.h"

#include <cmath>
#include <utility>

namespace tes {

namespace {

// The keys of the fields, in their order, as a problem names them.
constexpr std::string_view kFieldKeys[kAreaFields] = {"Mode", "Kinds", "Width", "Falloff"};

std::size_t At(AreaField field) {
    return static_cast<std::size_t>(field);
}

std::optional<AreaField> FieldOfKey(std::string_view key) {
    for (std::size_t i = 0; i < kAreaFields; ++i) {
        if (key == kFieldKeys[i])
            return static_cast<AreaField>(i);
    }
    return std::nullopt;
}

// Reads the fields into `area`, or says which cannot be read and why.
AreaDraft ReadFields(PlantArea area, const AreaFieldTexts& texts) {
    const auto refuse = [&texts](AreaField field, const std::string& problem) {
        return AreaDraft{std::nullopt,
                         std::string(kFieldKeys[At(field)]) + "=" + texts[At(field)] + " " + problem, field};
    };
    const KeyValue<AreaMode> mode = ReadAreaMode(texts[At(AreaField::mode)]);
    if (!mode.read())
        return refuse(AreaField::mode, mode.problem);
    const KeyValue<std::vector<std::string>> kinds = ReadAreaKinds(texts[At(AreaField::kinds)]);
    if (!kinds.read())
        return refuse(AreaField::kinds, kinds.problem);
    const KeyValue<std::optional<double>> width = ReadAreaWidth(texts[At(AreaField::width)]);
    if (!width.read())
        return refuse(AreaField::width, width.problem);
    const KeyValue<double> falloff = ReadFalloff(texts[At(AreaField::falloff)]);
    if (!falloff.read())
        return refuse(AreaField::falloff, falloff.problem);
    area.mode = mode.value;
    area.kinds = kinds.value;
    area.width = width.value;
    area.falloff = falloff.value;
    if (std::optional<std::string> problem = area.points.empty() ? std::nullopt : AreaProblem(area))
        return {std::nullopt, std::move(*problem), AreaField::width};
    return {std::move(area), {}, AreaField::mode};
}

} // namespace

AreaFieldTexts AreaFieldsOf(const AreaSection& section) {
    AreaFieldTexts texts = NewAreaFields();
    const kinds_lines::AreaKeyTexts written =
        section.area ? kinds_lines::AreaTexts(*section.area) : kinds_lines::WrittenAreaTexts(section.lines);
    for (const auto& [key, text] : written) {
        const std::optional<AreaField> field = FieldOfKey(key);
        if (field)
            texts[At(*field)] = text ? *text : std::string();
    }
    return texts;
}

AreaFieldTexts AreaFieldFaultsOf(const AreaSection& section) {
    AreaFieldTexts why;
    for (const KeyFault& fault : section.faults) {
        // Points are not a field: their fault, and the area's as a whole, are shown on Width, which
        // decides the shape the points must make.
        const std::optional<AreaField> field = FieldOfKey(fault.key);
        std::string& text = why[At(field.value_or(AreaField::width))];
        if (text.empty())
            text = fault.key.empty() ? fault.problem : fault.key + "=" + fault.text + " " + fault.problem;
    }
    return why;
}

AreaFieldTexts NewAreaFields() {
    return {AreaModeText(AreaMode::exclude), "", "", "0"};
}

std::string AreaListText(const AreaSection& section) {
    if (!section.area)
        return section.section + " (cannot be read)";
    const PlantArea& area = *section.area;
    std::string text = section.section + ": " +
                       (area.width ? "line " + DecimalText(*area.width) + " wide" : std::string("closed")) +
                       ", " + AreaModeText(area.mode);
    if (!area.kinds.empty())
        text += ", kinds " + AreaKindsText(area.kinds);
    if (area.falloff > 0)
        text += ", falloff " + DecimalText(area.falloff);
    return text;
}

AreaDraft DraftArea(std::vector<GroundPoint> points, const AreaFieldTexts& texts) {
    PlantArea area;
    area.points = std::move(points);
    return ReadFields(std::move(area), texts);
}

std::optional<Message> SetPreviewArea(PreviewViewsTable table, std::size_t index, const PlantArea& area,
                                      bool store) {
    const std::vector<AreaSection>& sections = table.table.areaSections();
    if (const std::optional<std::string> problem = AreaProblem(area)) {
        const std::string name =
            index < sections.size() ? sections[index].section : "Area" + std::to_string(sections.size() + 1);
        return Refusal(name + ": " + *problem);
    }
    table.table.setArea(index, area);
    return store ? StorePreviewViews(table) : std::nullopt;
}

std::optional<Message> RemovePreviewArea(PreviewViewsTable table, std::size_t index) {
    if (index >= table.table.areaSections().size())
        return std::nullopt;
    table.table.removeArea(index);
    return StorePreviewViews(table);
}

AreaFieldEdit SetPreviewAreaFields(PreviewViewsTable table, std::size_t index, const AreaFieldTexts& texts) {
    const std::vector<AreaSection>& sections = table.table.areaSections();
    if (index >= sections.size())
        return {"there is no Area" + std::to_string(index + 1), AreaField::mode, std::nullopt};
    // The points of an area that cannot be read, as the table reads them; ones that cannot be read
    // either are mended in the file, not here.
    PlantArea area;
    if (sections[index].area) {
        area.points = sections[index].area->points;
    } else {
        std::string written;
        for (const auto& [key, text] : kinds_lines::WrittenAreaTexts(sections[index].lines)) {
            if (key == "Points")
                written = text.value_or(std::string());
        }
        const KeyValue<std::vector<GroundPoint>> points = ReadAreaPoints(written);
        if (!points.read())
            return {"Points " + points.problem + ": fix it in " + table.table.fileName(), AreaField::width,
                    std::nullopt};
        area.points = points.value;
    }
    const AreaDraft read = ReadFields(std::move(area), texts);
    if (!read.area)
        return {read.problem, read.field, std::nullopt};
    return {{}, read.field, SetPreviewArea(table, index, *read.area, true)};
}

std::optional<std::size_t> AreaPointNear(const std::vector<GroundPoint>& points, double X, double Y,
                                         double reach) {
    std::optional<std::size_t> nearest;
    double best = reach;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double distance = std::hypot(points[i].x - X, points[i].y - Y);
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

} // namespace tes
