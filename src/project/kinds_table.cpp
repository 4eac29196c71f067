#include "project/kinds_table.h"

#include "lib/atomic_file.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "lib/ini.h"
#include "lib/text_codec.h"
#include "project/kinds_table_lines.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <tuple>

namespace tes {

using namespace kinds_lines;

namespace {

// INI text has blank lines, comments, section headers and key=value lines, and no NUL bytes.
bool LooksLikeIni(std::string_view text) {
    if (text.find('\0') != std::string_view::npos)
        return false;
    bool ini = true;
    ForEachIniLine(text, [&](std::string_view raw) {
        const std::string_view line = TrimIniBlanks(raw);
        ini = line.empty() || line.front() == ';' || line.front() == '[' ||
              line.find('=') != std::string_view::npos;
        return ini;
    });
    return ini;
}

// The keys of one section as the lookup finds them: the first line of each key counts.
class SectionKeys {
public:
    void add(std::string_view line) {
        const std::string_view key = KeyOf(line);
        if (key.empty())
            return;
        if (IsVariantKey(key)) {
            // Variants count in the order of their numbers, whatever gaps lie between them.
            std::string_view digits = key.substr(kVariantKey.size());
            digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
            m_variants.try_emplace({digits.size(), std::string(digits)},
                                   std::pair(std::string(key), std::string(IniLineValue(line))));
            return;
        }
        if (!find(key))
            m_keys.emplace_back(std::string(key), std::string(IniLineValue(line)));
    }

    const std::string* find(std::string_view key) const {
        const auto it = std::find_if(m_keys.begin(), m_keys.end(), [key](const auto& known) {
            return EqualsIgnoringAsciiCase(known.first, key);
        });
        return it == m_keys.end() ? nullptr : &it->second;
    }

    // The row of the section's keys, with every value that cannot be read among its faults.
    KindRow row(std::string number) const {
        KindRow row(std::move(number));
        if (const std::string* value = find("MaxFile"))
            row.maxFile = *value;
        if (const std::string* value = find("ObjectName"))
            row.objectName = *value;
        take("Enabled", ReadEnabled, row.enabled, row.faults);
        take("Turn", ReadTurn, row.turn, row.faults);
        take("Scale", ReadScale, row.scale, row.faults);
        take("Weight", ReadWeight, row.weight, row.faults);
        take("Keep", ReadKeep, row.thinning.keep, row.faults);
        take("ThinBeyond", ReadDistance, row.thinning.thinBeyond, row.faults);
        take("KeepFar", ReadKeep, row.thinning.keepFar, row.faults);
        std::pair<std::string, std::string> farModel;
        take("FarModel", ReadFarModel, farModel, row.faults);
        std::tie(row.detail.farFile, row.detail.farObject) = std::move(farModel);
        take("FarFrom", ReadDistance, row.detail.farFrom, row.faults);
        take("BoxFrom", ReadDistance, row.detail.boxFrom, row.faults);
        take("Stand", ReadStand, row.stand, row.faults);
        std::size_t place = 0; // among the variants, the faulty ones counted
        for (const auto& [number, variant] : m_variants) {
            KeyValue<KindVariant> read = ReadVariant(variant.second);
            if (read.read())
                row.variants.push_back(std::move(read.value));
            else
                row.faults.push_back({variant.first, variant.second, std::move(read.problem), place});
            ++place;
        }
        return row;
    }

    // The view of a [ViewN] section, or the faults that leave it out. A missing Camera or Target is
    // read as an empty text, which is no point.
    std::optional<PlantView> view(std::vector<KeyFault>& faults) const {
        PlantView view;
        const std::size_t before = faults.size();
        for (auto [key, point] : {std::pair("Camera", &view.camera), std::pair("Target", &view.target)}) {
            if (!find(key))
                faults.push_back({key, "", ReadGroundPoint("").problem, 0});
            take(key, ReadGroundPoint, *point, faults);
        }
        take("Fov", ReadFov, view.fov, faults);
        take("Margin", ReadMargin, view.margin, faults);
        take("KeepRadius", ReadDistance, view.keepRadius, faults);
        take("Far", ReadDistance, view.far, faults);
        if (faults.size() != before)
            return std::nullopt;
        if (std::optional<std::string> problem = ViewProblem(view)) {
            faults.push_back({"", "", std::move(*problem), 0});
            return std::nullopt;
        }
        return view;
    }

private:
    template <typename Reader, typename T>
    void take(std::string_view key, Reader read, T& target, std::vector<KeyFault>& faults) const {
        const std::string* text = find(key);
        if (!text)
            return;
        auto value = read(*text);
        if (value.read())
            target = std::move(value.value);
        else
            faults.push_back({std::string(key), *text, std::move(value.problem), 0});
    }

    std::vector<std::pair<std::string, std::string>> m_keys;
    // By the variant's number (its digits without leading zeros, shorter first): key and value.
    std::map<std::pair<std::size_t, std::string>, std::pair<std::string, std::string>> m_variants;
};

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
    return objectName.empty() ? GetBaseFileName(maxFile) : objectName;
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

KindsTable KindsTable::Read(const std::string& path, Messages& messages) {
    KindsTable table;
    table.m_fileName = GetFileNameFromPath(path);
    if (!IsRegularFile(path) && !std::filesystem::exists(PathFromUtf8(path)))
        return table;
    std::string text;
    try {
        const std::string bytes = ReadFileBytes(path);
        text = std::string_view(bytes).starts_with(kUtf8Bom) ? bytes.substr(kUtf8Bom.size())
                                                             : Cp1252ToUtf8(bytes);
    } catch (const Failure&) {
        text = std::string(1, '\0'); // unreadable: as damaged
    }
    if (!LooksLikeIni(text)) {
        messages.push_back(Notice("The kinds table " + table.m_fileName +
                                  " cannot be read; it is left aside and no kind has a Max file."));
        table.m_damaged = true;
        return table;
    }
    table.m_text = text;

    // One pass: the first section of each kind, and the first [Variation], as the lookup finds them.
    std::vector<std::pair<std::string, SectionKeys>> kinds;
    // The views by their numbers (digits without leading zeros, shorter first): section and keys.
    std::map<std::pair<std::size_t, std::string>, std::pair<std::string, SectionKeys>> views;
    SectionKeys variation;
    SectionKeys* current = nullptr;
    bool variationSeen = false;
    ForEachIniLine(text, [&](std::string_view line) {
        if (IsHeader(line)) {
            const std::string_view section = SectionOf(line);
            current = nullptr;
            if (IsViewSection(section)) {
                std::string number = KindNumber(section.substr(kViewPrefix.size()));
                const auto [view, added] = views.try_emplace({number.size(), number}, section, SectionKeys());
                current = added ? &view->second.second : nullptr;
            } else if (IsKindSection(section)) {
                std::string number = KindNumber(section.substr(kSectionPrefix.size()));
                if (std::none_of(kinds.begin(), kinds.end(),
                                 [&](const auto& kind) { return kind.first == number; }))
                    current = &kinds.emplace_back(std::move(number), SectionKeys()).second;
            } else if (!variationSeen && EqualsIgnoringAsciiCase(section, kVariationSection)) {
                variationSeen = true;
                current = &variation;
            }
        } else if (current) {
            current->add(line);
        }
        return true;
    });

    if (const std::string* seed = variation.find(kSeedKey)) {
        const KeyValue<std::int64_t> read = ReadSeed(*seed);
        if (read.read())
            table.m_seed = read.value;
        else
            table.m_seedFault = KeyFault{std::string(kSeedKey), *seed, read.problem, 0};
    }
    if (table.m_seedFault)
        messages.push_back(Notice(table.seedFaultText()));
    for (const auto& [number, view] : views) {
        std::vector<KeyFault> faults;
        if (std::optional<PlantView> read = view.second.view(faults))
            table.m_views.push_back(*read);
        for (KeyFault& fault : faults) {
            table.m_viewFaults.push_back({view.first, std::move(fault)});
            messages.push_back(Notice(table.viewFaultText(table.m_viewFaults.back())));
        }
    }
    for (auto& [number, keys] : kinds) {
        KindRow row = keys.row(number);
        for (const KeyFault& fault : row.faults)
            messages.push_back(Notice(table.faultText(row, fault)));
        table.m_rows.push_back(std::move(row));
    }
    table.m_written = table.m_rows;
    table.m_writtenSeed = table.m_seed;
    table.m_writtenSeedFault = table.m_seedFault;
    table.m_writtenViews = table.m_views;
    table.m_writtenViewFaults = table.m_viewFaults;
    return table;
}

void KindsTable::setSeed(std::int64_t seed) {
    m_seed = seed;
    m_seedFault.reset();
}

std::string KindsTable::faultText(const KindRow& row, const KeyFault& fault) const {
    return FaultSentence(std::string(kSectionPrefix) + row.number, fault, m_fileName);
}

std::string KindsTable::seedFaultText() const {
    return m_seedFault ? FaultSentence(std::string(kVariationSection), *m_seedFault, m_fileName)
                       : std::string();
}

void KindsTable::setViews(std::vector<PlantView> views) {
    m_views = std::move(views);
    m_viewFaults.clear();
}

std::string KindsTable::viewFaultText(const ViewFault& view) const {
    return FaultSentence(view.section, view.fault, m_fileName);
}

std::optional<std::string> KindsTable::unreadableViews() const {
    if (m_viewFaults.empty())
        return std::nullopt;
    return viewFaultText(m_viewFaults.front());
}

std::size_t KindsTable::faultCount() const {
    std::size_t count = (m_seedFault ? 1 : 0) + m_viewFaults.size();
    for (const KindRow& row : m_rows)
        count += row.faults.size();
    return count;
}

std::optional<std::string> KindsTable::unreadable(const KindRow& row) const {
    if (!row.faults.empty())
        return faultText(row, row.faults.front());
    if (std::optional<std::string> views = unreadableViews())
        return views;
    // A seed that cannot be read leaves the plants of a varied or thinned kind without their looks or
    // their share.
    if (m_seedFault && (row.varies() || row.thinning.any()))
        return seedFaultText();
    return std::nullopt;
}

const KindRow* KindsTable::find(std::string_view number) const {
    const std::string wanted = KindNumber(number);
    const auto it =
        std::find_if(m_rows.begin(), m_rows.end(), [&](const KindRow& row) { return row.number == wanted; });
    return it == m_rows.end() ? nullptr : &*it;
}

void KindsTable::set(KindRow row) {
    row.number = KindNumber(row.number);
    const auto it = std::find_if(m_rows.begin(), m_rows.end(),
                                 [&](const KindRow& known) { return known.number == row.number; });
    if (it != m_rows.end())
        *it = std::move(row);
    else
        m_rows.push_back(std::move(row));
}

} // namespace tes
