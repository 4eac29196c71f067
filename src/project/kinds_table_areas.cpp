#include "project/kinds_table_areas.h"

#include "lib/numbers.h"
#include "project/area_keys.h"
#include "project/section_values.h"

#include <algorithm>

namespace tes {

using namespace kinds_lines;

namespace {

constexpr std::string_view kAreaKeys[] = {"Points", "Width", "Mode", "Kinds", "Falloff"};

// The area of an [AreaN] section, or the faults that leave it out. A missing Points is read as an
// empty text, which is no area.
std::optional<PlantArea> AreaOf(const SectionKeys& keys, std::vector<KeyFault>& faults) {
    PlantArea area;
    if (!keys.find("Points"))
        faults.push_back({"Points", "", ReadAreaPoints("").problem, 0});
    TakeSectionValue(keys, "Points", ReadAreaPoints, area.points, faults);
    TakeSectionValue(keys, "Width", ReadAreaWidth, area.width, faults);
    TakeSectionValue(keys, "Mode", ReadAreaMode, area.mode, faults);
    TakeSectionValue(keys, "Kinds", ReadAreaKinds, area.kinds, faults);
    TakeSectionValue(keys, "Falloff", ReadFalloff, area.falloff, faults);
    if (!faults.empty())
        return std::nullopt;
    if (std::optional<std::string> problem = AreaProblem(area)) {
        faults.push_back({"", "", std::move(*problem), 0});
        return std::nullopt;
    }
    return area;
}

// The number of an area's section: Area2 comes before Area10.
std::pair<std::size_t, std::string> AreaNumber(std::string_view section) {
    const std::string number = KindNumber(section.substr(kAreaPrefix.size()));
    return {number.size(), number};
}

std::string NextNumber(const std::string& digits) {
    std::string next = digits;
    for (std::size_t i = next.size(); i-- > 0;) {
        if (next[i] < '9') {
            ++next[i];
            return next;
        }
        next[i] = '0';
    }
    return "1" + next;
}

} // namespace

std::vector<AreaSection> kinds_lines::AreaSectionsOf(const std::vector<IndexedSection>& index) {
    std::vector<AreaSection> areas;
    for (const IndexedSection& section : index) {
        if (!IsAreaSection(section.name))
            continue;
        AreaSection area{section.name, std::nullopt, {}, section.lines};
        area.area = AreaOf(section.keys, area.faults);
        areas.push_back(std::move(area));
    }
    std::stable_sort(areas.begin(), areas.end(), [](const AreaSection& a, const AreaSection& b) {
        return AreaNumber(a.section) < AreaNumber(b.section);
    });
    return areas;
}

AreaKeyTexts kinds_lines::AreaTexts(const PlantArea& area) {
    return {{"Points", AreaPointsText(area.points)},
            {"Width", area.width ? std::optional(DecimalText(*area.width)) : std::nullopt},
            {"Mode", AreaModeText(area.mode)},
            {"Kinds", area.kinds.empty() ? std::nullopt : std::optional(AreaKindsText(area.kinds))},
            {"Falloff", DecimalText(area.falloff)}};
}

AreaKeyTexts kinds_lines::WrittenAreaTexts(const std::vector<std::string>& lines) {
    SectionKeys keys;
    for (std::size_t i = 1; i < lines.size(); ++i)
        keys.add(lines[i]);
    AreaKeyTexts texts;
    for (const std::string_view key : kAreaKeys)
        texts.emplace_back(key, keys.text(key));
    return texts;
}

bool AreaSection::mayApplyTo(std::string_view kind) const {
    if (area)
        return area->appliesTo(kind);
    // The kinds the section names when that much can be read.
    for (const std::string& line : lines) {
        if (!EqualsIgnoringAsciiCase(KeyOf(line), "Kinds"))
            continue;
        const KeyValue<std::vector<std::string>> kinds = ReadAreaKinds(IniLineValue(line));
        PlantArea named;
        named.kinds = kinds.value;
        return !kinds.read() || named.appliesTo(kind);
    }
    return true;
}

std::vector<PlantArea> KindsTable::areas() const {
    std::vector<PlantArea> areas;
    for (const AreaSection& section : m_now.areas) {
        if (section.area)
            areas.push_back(*section.area);
    }
    return areas;
}

void KindsTable::setArea(std::size_t index, const PlantArea& area) {
    if (index < m_now.areas.size()) {
        m_now.areas[index].area = area;
        m_now.areas[index].faults.clear();
        return;
    }
    std::pair<std::size_t, std::string> last{0, "0"};
    for (const std::vector<AreaSection>* sections : {&m_base.areas, &m_now.areas}) {
        for (const AreaSection& section : *sections)
            last = std::max(last, AreaNumber(section.section));
    }
    m_now.areas.push_back({std::string(kAreaPrefix) + NextNumber(last.second), area, {}, {}});
}

void KindsTable::removeArea(std::size_t index) {
    if (index < m_now.areas.size())
        m_now.areas.erase(m_now.areas.begin() + static_cast<std::ptrdiff_t>(index));
}

void KindsTable::removeAreas() {
    m_now.areas.clear();
}

std::string KindsTable::areaFaultText(const AreaSection& section, const KeyFault& fault) const {
    if (fault.key.empty())
        return section.section + " in " + m_fileName + ": " + fault.problem;
    return section.section + ": " + fault.key + "=" + fault.text + " in " + m_fileName + " " + fault.problem;
}

std::optional<std::string> KindsTable::unreadableAreas(std::string_view kind) const {
    for (const AreaSection& section : m_now.areas) {
        if (!section.faults.empty() && section.mayApplyTo(kind))
            return areaFaultText(section, section.faults.front());
    }
    return std::nullopt;
}

std::optional<std::string> KindsTable::unreadableKind(std::string_view number) const {
    if (const KindRow* row = find(number))
        return unreadable(*row);
    if (std::optional<std::string> views = unreadableViews())
        return views;
    return unreadableAreas(number);
}

} // namespace tes
