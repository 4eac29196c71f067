#include "lib/atomic_file.h"
#include "lib/fields.h"
#include "lib/numbers.h"
#include "lib/text_codec.h"
#include "project/kinds_table.h"
#include "project/kinds_table_lines.h"

#include <algorithm>

namespace tes {

using namespace kinds_lines;

namespace {

using KeyText = std::pair<std::string_view, std::optional<std::string>>;

// What the keys of a section say, as the file holds them: nothing where the file need not hold the
// key. A value that could not be read stands as the user wrote it.
struct SectionTexts {
    std::vector<KeyText> keys;
    std::vector<std::string> variants;
    bool operator==(const SectionTexts&) const = default;
};

const KeyFault* FaultOf(const KindRow& row, std::string_view key) {
    const auto it = std::find_if(row.faults.begin(), row.faults.end(),
                                 [key](const KeyFault& fault) { return fault.key == key; });
    return it == row.faults.end() ? nullptr : &*it;
}

// The key's text: its fault's, or the value's, or nothing when the value is `none`.
template <typename T, typename Text>
std::optional<std::string> TextOf(const KindRow& row, std::string_view key, const T& value, const T& none,
                                  Text text) {
    if (const KeyFault* fault = FaultOf(row, key))
        return fault->text;
    if (value == none)
        return std::nullopt;
    return text(value);
}

SectionTexts TextsOf(const KindRow& row) {
    const auto range = [](const std::optional<ValueRange>& r) { return RangeText(*r); };
    SectionTexts texts;
    texts.keys = {
        {"MaxFile", row.maxFile},
        {"ObjectName", row.objectName.empty() ? std::nullopt : std::optional(row.objectName)},
        {"Enabled", FaultOf(row, "Enabled") ? FaultOf(row, "Enabled")->text : (row.enabled ? "1" : "0")},
        {"Turn", TextOf(row, "Turn", row.turn, std::optional<ValueRange>(), range)},
        {"Scale", TextOf(row, "Scale", row.scale, std::optional<ValueRange>(), range)},
        {"Weight", TextOf(row, "Weight", row.weight, std::uint32_t{1},
                          [](std::uint32_t weight) { return std::to_string(weight); })},
        {"Keep", TextOf(row, "Keep", row.thinning.keep, 100.0, DecimalText)},
        {"ThinBeyond", TextOf(row, "ThinBeyond", row.thinning.thinBeyond, 0.0, DecimalText)},
        {"KeepFar", TextOf(row, "KeepFar", row.thinning.keepFar, 100.0, DecimalText)},
        {"FarModel", TextOf(row, "FarModel", FarModelText(row.detail), std::string(),
                            [](const std::string& text) { return text; })},
        {"FarFrom", TextOf(row, "FarFrom", row.detail.farFrom, 0.0, DecimalText)},
        {"BoxFrom", TextOf(row, "BoxFrom", row.detail.boxFrom, 0.0, DecimalText)},
        {"Stand", TextOf(row, "Stand", row.stand, PlantStand::Auto, StandText)},
    };
    // The variants in their places, the faulty ones among them.
    std::vector<const KeyFault*> faulty;
    for (const KeyFault& fault : row.faults) {
        if (IsVariantKey(fault.key))
            faulty.push_back(&fault);
    }
    std::size_t good = 0;
    auto nextFault = faulty.begin();
    while (good < row.variants.size() || nextFault != faulty.end()) {
        if (nextFault != faulty.end() && (*nextFault)->variant <= texts.variants.size())
            texts.variants.push_back((*nextFault++)->text);
        else if (good < row.variants.size())
            texts.variants.push_back(VariantText(row.variants[good++]));
        else
            texts.variants.push_back((*nextFault++)->text);
    }
    return texts;
}

SectionTexts SeedTexts(const std::optional<std::int64_t>& seed, const std::optional<KeyFault>& fault) {
    std::optional<std::string> text;
    if (fault)
        text = fault->text;
    else if (seed)
        text = std::to_string(*seed);
    return {{{kSeedKey, text}}, {}};
}

std::string Line(std::string_view key, std::string_view value) {
    std::string line(key);
    line.append("=").append(value);
    return line;
}

std::vector<std::string> VariantLines(const std::vector<std::string>& variants) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < variants.size(); ++i)
        lines.push_back(Line(std::string(kVariantKey) + std::to_string(i + 1), variants[i]));
    return lines;
}

// A section's lines after its header with the keys that changed from `was` to `now` written anew:
// a changed key in the place of its first line, or after the section's last key when it had none; a
// key that no longer needs saying is taken out. The variants change as a whole. All else stays.
std::vector<std::string> EditedSection(const std::vector<std::string_view>& body, const SectionTexts& was,
                                       const SectionTexts& now) {
    std::vector<KeyText> changed;
    for (std::size_t i = 0; i < now.keys.size(); ++i) {
        if (i >= was.keys.size() || was.keys[i] != now.keys[i])
            changed.push_back(now.keys[i]);
    }
    const bool variantsChanged = was.variants != now.variants;
    std::vector<bool> placed(changed.size(), false);
    std::vector<std::string> lines;
    std::size_t variantsAt = std::string::npos;
    for (const std::string_view line : body) {
        const std::string_view key = KeyOf(line);
        if (variantsChanged && IsVariantKey(key)) {
            variantsAt = std::min(variantsAt, lines.size());
            continue;
        }
        const auto it = std::find_if(changed.begin(), changed.end(), [&](const KeyText& change) {
            return !placed[&change - changed.data()] && !key.empty() &&
                   EqualsIgnoringAsciiCase(change.first, key);
        });
        if (it == changed.end()) {
            lines.emplace_back(line);
            continue;
        }
        placed[it - changed.begin()] = true;
        if (it->second)
            lines.push_back(Line(it->first, *it->second));
    }
    std::vector<std::string> added;
    for (std::size_t i = 0; i < changed.size(); ++i) {
        if (!placed[i] && changed[i].second)
            added.push_back(Line(changed[i].first, *changed[i].second));
    }
    std::vector<std::string> variants =
        variantsChanged ? VariantLines(now.variants) : std::vector<std::string>();
    if (variantsAt == std::string::npos) {
        added.insert(added.end(), variants.begin(), variants.end());
        variants.clear();
    }
    // After the section's last key, before the blank lines and comments that close it.
    std::size_t end = lines.size();
    while (end > 0 && KeyOf(lines[end - 1]).empty())
        --end;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), added.begin(), added.end());
    if (variantsAt != std::string::npos) {
        const std::size_t at = variantsAt >= end ? variantsAt + added.size() : variantsAt;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), variants.begin(), variants.end());
    }
    return lines;
}

// A view's keys, every one written so that the file says what the view is.
SectionTexts ViewTexts(const PlantView& view) {
    return {{{"Camera", GroundPointText(view.camera)},
             {"Target", GroundPointText(view.target)},
             {"Fov", DecimalText(view.fov)},
             {"Margin", DecimalText(view.margin)},
             {"KeepRadius", DecimalText(view.keepRadius)},
             {"Far", DecimalText(view.far)}},
            {}};
}

void AppendSection(std::string& out, std::string_view header, const SectionTexts& texts) {
    out.append("[").append(header).append("]\n");
    for (const auto& [key, value] : texts.keys) {
        if (value)
            out += Line(key, *value) + "\n";
    }
    for (const std::string& line : VariantLines(texts.variants))
        out += line + "\n";
}

} // namespace

void KindsTable::write(const std::string& path) {
    const auto writtenRow = [this](const std::string& number) -> const KindRow* {
        const auto it = std::find_if(m_written.begin(), m_written.end(),
                                     [&](const KindRow& row) { return row.number == number; });
        return it == m_written.end() ? nullptr : &*it;
    };
    std::string out;
    std::vector<std::string> sectionsSeen; // the kinds whose first section has been passed
    bool variationSeen = false;
    // The section being copied, and what its keys were and are.
    std::vector<std::string_view> body;
    std::optional<std::pair<SectionTexts, SectionTexts>> edit;
    // Changed views are written anew as a whole, where the first of the file's stood.
    const bool viewsChanged = m_views != m_writtenViews || m_viewFaults != m_writtenViewFaults;
    std::size_t viewsAt = std::string::npos;
    bool dropping = false; // the section being read is an old view's
    const auto closeSection = [&] {
        if (dropping) {
            // Its blank lines and comments after its last key lead to the next section.
            std::size_t end = body.size();
            while (end > 0 && KeyOf(body[end - 1]).empty())
                --end;
            body.erase(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(end));
            dropping = false;
        }
        if (edit && !(edit->first == edit->second)) {
            for (const std::string& line : EditedSection(body, edit->first, edit->second))
                out.append(line).push_back('\n');
        } else {
            for (const std::string_view line : body)
                out.append(line).push_back('\n');
        }
        body.clear();
        edit.reset();
    };
    ForEachIniLine(m_text, [&](std::string_view line) {
        if (!IsHeader(line)) {
            body.push_back(line);
            return true;
        }
        closeSection();
        const std::string_view section = SectionOf(line);
        if (viewsChanged && IsViewSection(section)) {
            viewsAt = std::min(viewsAt, out.size());
            dropping = true;
            return true;
        }
        out.append(line).push_back('\n');
        if (IsKindSection(section)) {
            const std::string number = KindNumber(section.substr(kSectionPrefix.size()));
            if (std::find(sectionsSeen.begin(), sectionsSeen.end(), number) != sectionsSeen.end())
                return true; // a later section of the same kind keeps what it says
            sectionsSeen.push_back(number);
            const KindRow* was = writtenRow(number);
            if (const KindRow* now = find(number); now && was)
                edit.emplace(TextsOf(*was), TextsOf(*now));
        } else if (!variationSeen && EqualsIgnoringAsciiCase(section, kVariationSection)) {
            variationSeen = true;
            edit.emplace(SeedTexts(m_writtenSeed, m_writtenSeedFault), SeedTexts(m_seed, m_seedFault));
        }
        return true;
    });
    closeSection();
    if (!variationSeen && (m_seed || m_seedFault))
        AppendSection(out, kVariationSection, SeedTexts(m_seed, m_seedFault));
    for (const KindRow& row : m_rows) {
        if (std::find(sectionsSeen.begin(), sectionsSeen.end(), row.number) == sectionsSeen.end())
            AppendSection(out, std::string(kSectionPrefix) + row.number, TextsOf(row));
    }
    if (viewsChanged) {
        std::string views;
        for (std::size_t i = 0; i < m_views.size(); ++i)
            AppendSection(views, std::string(kViewPrefix) + std::to_string(i + 1), ViewTexts(m_views[i]));
        out.insert(std::min(viewsAt, out.size()), views);
    }

    const bool utf8 = !FitsWindows1252(out);
    std::string bytes = utf8 ? std::string(kUtf8Bom) : std::string();
    ForEachIniLine(out, [&](std::string_view line) {
        bytes += utf8 ? std::string(line) : Utf8ToCp1252(line);
        bytes += "\r\n";
        return true;
    });
    AtomicTextWriter writer(path);
    writer.writeEncoded(bytes);
    writer.commit();
    // What the file now holds is what the next write tells changes from.
    m_fileName = GetFileNameFromPath(path);
    m_text = std::move(out);
    m_written = m_rows;
    m_writtenSeed = m_seed;
    m_writtenSeedFault = m_seedFault;
    m_writtenViews = m_views;
    m_writtenViewFaults = m_viewFaults;
}

} // namespace tes
