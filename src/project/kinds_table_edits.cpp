#include "project/kinds_table_edits.h"

#include "lib/fields.h"
#include "lib/numbers.h"
#include "project/kind_key_table.h"
#include "project/kinds_table_areas.h"
#include "project/kinds_table_sections.h"

#include <algorithm>

namespace tes::kinds_lines {

namespace {

// What the keys of a section say, as the file holds them: nothing where the file need not hold the
// key. A value that could not be read stands as the user wrote it.
struct SectionTexts {
    std::vector<std::pair<std::string_view, std::optional<std::string>>> keys;
    std::vector<std::string> variants;
    bool operator==(const SectionTexts&) const = default;
};

SectionTexts TextsOf(const KindRow& row) {
    SectionTexts texts;
    for (const KindKey& key : KindKeys()) {
        std::vector<std::string> written = WrittenTexts(key, row);
        if (key.list)
            texts.variants = std::move(written);
        else
            texts.keys.emplace_back(key.name, written.empty() ? std::nullopt
                                                              : std::optional(std::move(written.front())));
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

// The texts a view's section holds as written, for a view that could not be read.
SectionTexts WrittenViewTexts(const std::vector<std::string>& lines) {
    SectionKeys keys;
    for (std::size_t i = 1; i < lines.size(); ++i)
        keys.add(lines[i]);
    // A key left out has its default, but for the points, which have none.
    SectionTexts texts = ViewTexts({});
    for (auto& [key, text] : texts.keys) {
        if (keys.find(key))
            text = keys.text(key);
        else if (key == "Camera" || key == "Target")
            text.reset();
    }
    return texts;
}

// The section's edit from `was` to `now`: the keys whose texts differ, and the variants when they do.
std::optional<SectionEdit> EditOf(std::string name, const SectionTexts& was, const SectionTexts& now) {
    SectionEdit edit{std::move(name), {}, std::nullopt, false};
    for (std::size_t i = 0; i < now.keys.size(); ++i) {
        if (i >= was.keys.size() || was.keys[i] != now.keys[i])
            edit.keys.emplace_back(std::string(now.keys[i].first), now.keys[i].second);
    }
    if (was.variants != now.variants)
        edit.variants = now.variants;
    if (edit.keys.empty() && !edit.variants)
        return std::nullopt;
    return edit;
}

// A section's lines after its header with the edit's keys written anew:
// a changed key in the place of its first line, or after the section's last key when it had none; a
// key that no longer needs saying is taken out. The variants change as a whole. All else stays.
std::vector<std::string> EditedSection(const std::vector<std::string_view>& body, const SectionEdit& edit) {
    const std::vector<KeyText>& changed = edit.keys;
    const bool variantsChanged = edit.variants.has_value();
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
        variantsChanged ? VariantLines(*edit.variants) : std::vector<std::string>();
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

void AppendSection(std::string& out, const SectionEdit& edit) {
    out.append("[").append(edit.name).append("]\n");
    for (const auto& [key, value] : edit.keys) {
        if (value)
            out += Line(key, *value) + "\n";
    }
    for (const std::string& line : VariantLines(edit.variants.value_or(std::vector<std::string>())))
        out += line + "\n";
}

// What the edit replaces in `now` that was not so in `was`: "Vegetation_2: Keep=30".
void NoteReplaced(const SectionEdit& edit, const IndexedSection* was, const IndexedSection* now,
                  std::vector<std::string>& replaced) {
    const std::string name = now ? now->name : edit.name;
    if (edit.remove) {
        if (now && (!was || was->lines != now->lines))
            replaced.push_back(name);
        return;
    }
    for (const auto& [key, text] : edit.keys) {
        const std::optional<std::string> onDisk = now ? now->keys.text(key) : std::nullopt;
        if (onDisk != (was ? was->keys.text(key) : std::nullopt) && onDisk != text)
            replaced.push_back(name + ": " + key + (onDisk ? "=" + *onDisk : std::string()));
    }
    if (edit.variants) {
        const auto texts = [](const IndexedSection* section) {
            std::vector<std::string> texts;
            for (auto& [key, text] :
                 section ? section->keys.variants() : decltype(section->keys.variants())())
                texts.push_back(text);
            return texts;
        };
        const std::vector<std::string> onDisk = texts(now);
        if (onDisk != texts(was) && onDisk != *edit.variants)
            replaced.push_back(name + ": " + std::string(kVariantKey));
    }
}

// The areas changed as the views are: an area's section is written anew only once it is changed, and
// one that is gone is taken out with its lines.
void AddAreaEdits(const std::vector<AreaSection>& base, const std::vector<AreaSection>& now,
                  std::vector<SectionEdit>& edits) {
    const auto sameSection = [](const AreaSection& a, const AreaSection& b) {
        return SectionId(a.section) == SectionId(b.section);
    };
    for (const AreaSection& area : now) {
        const auto was = std::find_if(base.begin(), base.end(),
                                      [&](const AreaSection& known) { return sameSection(known, area); });
        if (!area.area || (was != base.end() && was->area == area.area && was->faults == area.faults))
            continue; // as the file holds it
        const SectionTexts wasTexts = was == base.end() ? SectionTexts()
                                      : was->area       ? SectionTexts{AreaTexts(*was->area), {}}
                                                        : SectionTexts{WrittenAreaTexts(was->lines), {}};
        if (std::optional<SectionEdit> edit = EditOf(area.section, wasTexts, {AreaTexts(*area.area), {}}))
            edits.push_back(std::move(*edit));
    }
    for (const AreaSection& was : base) {
        if (std::none_of(now.begin(), now.end(),
                         [&](const AreaSection& area) { return sameSection(area, was); }))
            edits.push_back({was.section, {}, std::nullopt, true});
    }
}

} // namespace

std::vector<SectionEdit> TableEdits(const KindsTableContents& base, const KindsTableContents& now) {
    std::vector<SectionEdit> edits;
    const auto add = [&edits](std::optional<SectionEdit> edit) {
        if (edit)
            edits.push_back(std::move(*edit));
    };
    add(EditOf(std::string(kVariationSection), SeedTexts(base.seed, base.seedFault),
               SeedTexts(now.seed, now.seedFault)));
    for (const KindRow& row : now.rows) {
        const auto was = std::find_if(base.rows.begin(), base.rows.end(),
                                      [&](const KindRow& known) { return known.number == row.number; });
        add(EditOf(std::string(kSectionPrefix) + row.number,
                   was == base.rows.end() ? SectionTexts() : TextsOf(*was), TextsOf(row)));
    }
    const auto sameSection = [](const ViewSection& a, const ViewSection& b) {
        return SectionId(a.section) == SectionId(b.section);
    };
    for (const ViewSection& view : now.views) {
        const auto was = std::find_if(base.views.begin(), base.views.end(),
                                      [&](const ViewSection& known) { return sameSection(known, view); });
        if (!view.view || (was != base.views.end() && was->view == view.view && was->faults == view.faults))
            continue; // as the file holds it
        const SectionTexts wasTexts = was == base.views.end() ? SectionTexts()
                                      : was->view             ? ViewTexts(*was->view)
                                                              : WrittenViewTexts(was->lines);
        add(EditOf(view.section, wasTexts, ViewTexts(*view.view)));
    }
    for (const ViewSection& was : base.views) {
        if (std::none_of(now.views.begin(), now.views.end(),
                         [&](const ViewSection& view) { return sameSection(view, was); }))
            edits.push_back({was.section, {}, std::nullopt, true});
    }
    AddAreaEdits(base.areas, now.areas, edits);
    return edits;
}

std::string ApplyTableEdits(std::string_view text, std::string_view baseText,
                            const std::vector<SectionEdit>& edits, std::vector<std::string>& replaced) {
    const std::vector<IndexedSection> now = IndexSections(text);
    const std::vector<IndexedSection> was = IndexSections(baseText);
    std::vector<std::string> ids;
    for (const SectionEdit& edit : edits) {
        ids.push_back(SectionId(edit.name));
        NoteReplaced(edit, FindSection(was, ids.back()), FindSection(now, ids.back()), replaced);
    }
    std::string out;
    std::vector<std::string> seen; // the known sections passed: a later one of a name is the user's
    std::vector<std::string_view> body;
    const SectionEdit* editing = nullptr;
    bool removing = false;
    const auto closeSection = [&] {
        if (removing) {
            // Its blank lines and comments after its last key lead to the next section.
            std::size_t end = body.size();
            while (end > 0 && KeyOf(body[end - 1]).empty())
                --end;
            // But the blank lines that parted it from the next go with it, or each removal leaves one.
            while (end < body.size() && TrimIniBlanks(body[end]).empty())
                ++end;
            body.erase(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(end));
        }
        if (editing && !removing) {
            for (const std::string& line : EditedSection(body, *editing))
                out.append(line).push_back('\n');
        } else {
            for (const std::string_view line : body)
                out.append(line).push_back('\n');
        }
        body.clear();
        editing = nullptr;
        removing = false;
    };
    ForEachIniLine(text, [&](std::string_view line) {
        if (!IsHeader(line)) {
            body.push_back(line);
            return true;
        }
        closeSection();
        const std::string id = SectionId(SectionOf(line));
        if (!id.empty() && std::find(seen.begin(), seen.end(), id) == seen.end()) {
            seen.push_back(id);
            if (const auto at = std::find(ids.begin(), ids.end(), id); at != ids.end()) {
                editing = &edits[static_cast<std::size_t>(at - ids.begin())];
                removing = editing->remove;
            }
        }
        if (!removing)
            out.append(line).push_back('\n');
        return true;
    });
    const bool removedLast = removing;
    closeSection();
    // A last section removed leaves no blank lines at the file's end that only parted it from the rest.
    while (removedLast && out.ends_with("\n\n"))
        out.pop_back();
    for (std::size_t i = 0; i < edits.size(); ++i) {
        if (!edits[i].remove && std::find(seen.begin(), seen.end(), ids[i]) == seen.end())
            AppendSection(out, edits[i]);
    }
    return out;
}

} // namespace tes::kinds_lines
