#include "project/kinds_table.h"

#include "lib/atomic_file.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "lib/ini.h"
#include "lib/text_codec.h"
#include "project/kind_key_table.h"
#include "project/kinds_table_areas.h"
#include "project/kinds_table_edits.h"
#include "project/kinds_table_sections.h"
#include "project/section_values.h"

#include <algorithm>
#include <filesystem>

namespace tes {

using namespace kinds_lines;

namespace {

// INI text has blank lines, comments, section headers and key=value lines, and no NUL bytes. Why the
// text is none, naming the first line that is not: "line 3, \"just some words\", is ...".
std::optional<std::string> NotIniText(std::string_view text) {
    if (text.find('\0') != std::string_view::npos)
        return "it holds a NUL byte";
    std::optional<std::string> why;
    std::size_t number = 0;
    ForEachIniLine(text, [&](std::string_view raw) {
        ++number;
        const std::string_view line = TrimIniBlanks(raw);
        if (line.empty() || line.front() == ';' || line.front() == '[' ||
            line.find('=') != std::string_view::npos)
            return true;
        why = "line " + std::to_string(number) + ", \"" + std::string(line) +
              "\", is no section, key=value or comment";
        return false;
    });
    return why;
}

// The row of a section's keys, with every value that cannot be read among its faults: those of the
// single keys first, then those of the lists' lines.
KindRow RowOf(const SectionKeys& keys, std::string number) {
    KindRow row(std::move(number));
    for (const KindKey& key : KindKeys()) {
        const std::string* text = key.list ? nullptr : keys.find(key.name);
        if (!text)
            continue;
        if (std::string problem = key.read(*text, row); !problem.empty())
            row.faults.push_back({std::string(key.name), *text, std::move(problem), 0});
    }
    for (const KindKey& key : KindKeys()) {
        if (!key.list)
            continue;
        std::size_t place = 0; // among the list's lines, the faulty ones counted
        for (auto& [name, text] : keys.variants()) {
            if (std::string problem = key.read(text, row); !problem.empty())
                row.faults.push_back({name, text, std::move(problem), place});
            ++place;
        }
    }
    return row;
}

// The view of a [ViewN] section, or the faults that leave it out. A missing Camera or Target is read
// as an empty text, which is no point.
std::optional<PlantView> ViewOf(const SectionKeys& keys, std::vector<KeyFault>& faults) {
    PlantView view;
    const std::size_t before = faults.size();
    for (auto [key, point] : {std::pair("Camera", &view.camera), std::pair("Target", &view.target)}) {
        if (!keys.find(key))
            faults.push_back({key, "", ReadGroundPoint("").problem, 0});
        TakeSectionValue(keys, key, ReadGroundPoint, *point, faults);
    }
    TakeSectionValue(keys, "Fov", ReadFov, view.fov, faults);
    TakeSectionValue(keys, "Margin", ReadMargin, view.margin, faults);
    TakeSectionValue(keys, "KeepRadius", ReadDistance, view.keepRadius, faults);
    TakeSectionValue(keys, "Far", ReadDistance, view.far, faults);
    if (faults.size() != before)
        return std::nullopt;
    if (std::optional<std::string> problem = ViewProblem(view)) {
        faults.push_back({"", "", std::move(*problem), 0});
        return std::nullopt;
    }
    return view;
}

// The decimal number after this one: "199" gives "200".
std::string NextNumber(std::string digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] < '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    return "1" + digits;
}

// The number of a view's section: View2 comes before View10.
std::pair<std::size_t, std::string> ViewNumber(std::string_view section) {
    const std::string number = KindNumber(section.substr(kViewPrefix.size()));
    return {number.size(), number};
}

// "Vegetation_5: Turn=0:36O in Valley.tes.ini is not FROM:TO"; a fault of the whole section, which
// names no key: "View3 in Valley.tes.ini: the camera and the target are the same point ...".
std::string FaultSentence(const std::string& section, const KeyFault& fault, const std::string& file) {
    if (fault.key.empty())
        return section + " in " + file + ": " + fault.problem;
    return section + ": " + fault.key + "=" + fault.text + " in " + file + " " + fault.problem;
}

} // namespace

std::optional<Message> StoreKindsTable(KindsTable& table, const std::string& path) {
    // The user's file stays as it is until they mend or remove it.
    if (table.damaged())
        return Refusal("The kinds table " + GetFileNameFromPath(path) + " was not changed.");
    try {
        table.write(path);
        return std::nullopt;
    } catch (const Failure& failure) {
        return Message{MessageKind::Failure,
                       "Could not write the kinds table " + path + ": " + failure.reason() + "."};
    }
}

std::string KindNumber(std::string_view number) {
    const std::size_t first = number.find_first_not_of('0');
    if (first == std::string_view::npos)
        return number.empty() ? std::string() : std::string("0");
    return std::string(number.substr(first));
}

std::string KindRow::object() const {
    return ObjectOrFileName(maxFile, objectName);
}

void KindRow::clearFault(std::string_view key) {
    const bool variants = EqualsIgnoringAsciiCase(key, kVariantKey);
    std::erase_if(faults, [&](const KeyFault& fault) {
        return variants ? IsVariantKey(fault.key) : EqualsIgnoringAsciiCase(fault.key, key);
    });
}

std::string KindsTable::PathFor(const std::string& projectBasePath) {
    return projectBasePath + ".tes.ini";
}

TableFile kinds_lines::ReadTableFile(const std::string& path) {
    TableFile file;
    if (!IsRegularFile(path) && !std::filesystem::exists(PathFromUtf8(path)))
        return file;
    file.exists = true;
    try {
        const std::string bytes = ReadFileBytes(path);
        file.utf8 = std::string_view(bytes).starts_with(kUtf8Bom);
        const std::string text = file.utf8 ? bytes.substr(kUtf8Bom.size()) : Cp1252ToUtf8(bytes);
        if (std::optional<std::string> why = NotIniText(text)) {
            file.readable = false;
            file.why = std::move(*why);
        }
        // Each line ended by LF, as the writer makes them, so that texts compare line by line.
        ForEachIniLine(text, [&file](std::string_view line) {
            file.text.append(line).push_back('\n');
            return true;
        });
    } catch (const Failure& failure) {
        file.readable = false;
        file.why = failure.reason();
    }
    return file;
}

KindsTable KindsTable::Read(const std::string& path, Messages& messages) {
    KindsTable table;
    table.m_fileName = GetFileNameFromPath(path);
    const TableFile file = ReadTableFile(path);
    if (!file.readable) {
        messages.push_back(table.damagedNotice(file.why));
        table.m_damaged = true;
        return table;
    }
    table.take(file.text, messages);
    return table;
}

Message KindsTable::damagedNotice(const std::string& why) const {
    return Notice("The kinds table " + m_fileName + " cannot be read (" + why +
                  "); it is left aside and no kind has a Max file.");
}

KindsTable::Contents KindsTable::contentsOf(const std::string& text, Messages& messages) const {
    Contents contents;
    const std::vector<IndexedSection> index = IndexSections(text);
    if (const IndexedSection* variation = FindSection(index, "variation")) {
        if (const std::string* seed = variation->keys.find(kSeedKey)) {
            const KeyValue<std::int64_t> read = ReadSeed(*seed);
            if (read.read())
                contents.seed = read.value;
            else
                contents.seedFault = KeyFault{std::string(kSeedKey), *seed, read.problem, 0};
        }
    }
    if (contents.seedFault)
        messages.push_back(
            Notice(FaultSentence(std::string(kVariationSection), *contents.seedFault, m_fileName)));
    for (const IndexedSection& section : index) {
        if (!IsViewSection(section.name))
            continue;
        ViewSection view{section.name, std::nullopt, {}, section.lines};
        view.view = ViewOf(section.keys, view.faults);
        for (const KeyFault& fault : view.faults)
            messages.push_back(Notice(viewFaultText({section.name, fault})));
        contents.views.push_back(std::move(view));
    }
    std::stable_sort(contents.views.begin(), contents.views.end(),
                     [](const ViewSection& a, const ViewSection& b) {
                         return ViewNumber(a.section) < ViewNumber(b.section);
                     });
    contents.areas = AreaSectionsOf(index);
    for (const AreaSection& area : contents.areas) {
        for (const KeyFault& fault : area.faults)
            messages.push_back(Notice(areaFaultText(area, fault)));
    }
    for (const IndexedSection& section : index) {
        if (!IsKindSection(section.name))
            continue;
        KindRow row = RowOf(section.keys, KindNumber(section.name.substr(kSectionPrefix.size())));
        for (const KeyFault& fault : row.faults)
            messages.push_back(Notice(faultText(row, fault)));
        contents.rows.push_back(std::move(row));
    }
    return contents;
}

void KindsTable::take(std::string text, Messages& messages) {
    m_damaged = false;
    m_now = contentsOf(text, messages);
    m_base = m_now;
    m_text = std::move(text);
    sortViews();
}

void KindsTable::sortViews() {
    m_views.clear();
    m_viewFaults.clear();
    for (const ViewSection& section : m_now.views) {
        if (section.view)
            m_views.push_back(*section.view);
        for (const KeyFault& fault : section.faults)
            m_viewFaults.push_back({section.section, fault});
    }
}

bool KindsTable::unsaved() const {
    return !(m_now == m_base);
}

void KindsTable::revert() {
    m_now = m_base;
    sortViews();
}

void KindsTable::setView(std::size_t index, const PlantView& view) {
    if (index < m_now.views.size()) {
        m_now.views[index].view = view;
        m_now.views[index].faults.clear();
    } else {
        std::pair<std::size_t, std::string> last{0, "0"};
        for (const ViewSection& section : m_base.views)
            last = std::max(last, ViewNumber(section.section));
        for (const ViewSection& section : m_now.views)
            last = std::max(last, ViewNumber(section.section));
        m_now.views.push_back({std::string(kViewPrefix) + NextNumber(last.second), view, {}, {}});
    }
    sortViews();
}

void KindsTable::removeView(std::size_t index) {
    if (index >= m_now.views.size())
        return;
    m_now.views.erase(m_now.views.begin() + static_cast<std::ptrdiff_t>(index));
    sortViews();
}

void KindsTable::restoreViews(std::vector<ViewSection> sections) {
    m_now.views = std::move(sections);
    sortViews();
}

void KindsTable::setViews(std::vector<PlantView> views) {
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (i >= m_now.views.size() || m_now.views[i].view != views[i])
            setView(i, views[i]);
    }
    while (m_now.views.size() > views.size())
        removeView(views.size());
}

void KindsTable::setSeed(std::int64_t seed) {
    m_now.seed = seed;
    m_now.seedFault.reset();
}

std::string KindsTable::faultText(const KindRow& row, const KeyFault& fault) const {
    return FaultSentence(std::string(kSectionPrefix) + row.number, fault, m_fileName);
}

std::string KindsTable::seedFaultText() const {
    return m_now.seedFault ? FaultSentence(std::string(kVariationSection), *m_now.seedFault, m_fileName)
                           : std::string();
}

std::string KindsTable::viewFaultText(const ViewFault& view) const {
    // The preview edits the views, so the user can mend one there as well as in the file.
    return FaultSentence(view.section, view.fault, m_fileName) +
           "; mend it in the Preview window's views or in " + m_fileName;
}

std::optional<std::string> KindsTable::unreadableViews() const {
    if (m_viewFaults.empty())
        return std::nullopt;
    return viewFaultText(m_viewFaults.front());
}

std::size_t KindsTable::faultCount() const {
    std::size_t count = (m_now.seedFault ? 1 : 0) + m_viewFaults.size();
    for (const KindRow& row : m_now.rows)
        count += row.faults.size();
    for (const AreaSection& area : m_now.areas)
        count += area.faults.size();
    return count;
}

std::optional<std::string> KindsTable::unreadable(const KindRow& row) const {
    if (!row.faults.empty())
        return faultText(row, row.faults.front());
    if (std::optional<std::string> views = unreadableViews())
        return views;
    if (std::optional<std::string> areas = unreadableAreas(row.number))
        return areas;
    // A seed that cannot be read leaves the plants of a varied or thinned kind without their looks or
    // their share.
    if (m_now.seedFault && (row.plants.varies() || row.plants.thinning.any()))
        return seedFaultText();
    return std::nullopt;
}

const KindRow* KindsTable::find(std::string_view number) const {
    const std::string wanted = KindNumber(number);
    const auto it = std::find_if(m_now.rows.begin(), m_now.rows.end(),
                                 [&](const KindRow& row) { return row.number == wanted; });
    return it == m_now.rows.end() ? nullptr : &*it;
}

void KindsTable::set(KindRow row) {
    row.number = KindNumber(row.number);
    const auto it = std::find_if(m_now.rows.begin(), m_now.rows.end(),
                                 [&](const KindRow& known) { return known.number == row.number; });
    if (it != m_now.rows.end())
        *it = std::move(row);
    else
        m_now.rows.push_back(std::move(row));
}

} // namespace tes
