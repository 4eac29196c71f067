#include "project/kinds_table_sections.h"

#include "project/kinds_table.h"

#include <algorithm>

namespace tes::kinds_lines {

std::string SectionId(std::string_view section) {
    if (IsKindSection(section))
        return "vegetation_" + KindNumber(section.substr(kSectionPrefix.size()));
    if (IsViewSection(section))
        return "view" + KindNumber(section.substr(kViewPrefix.size()));
    if (IsAreaSection(section))
        return "area" + KindNumber(section.substr(kAreaPrefix.size()));
    if (EqualsIgnoringAsciiCase(section, kVariationSection))
        return "variation";
    return {};
}

void SectionKeys::add(std::string_view line) {
    const std::string_view key = KeyOf(line);
    if (key.empty())
        return;
    if (IsVariantKey(key)) {
        std::string_view digits = key.substr(kVariantKey.size());
        digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
        m_variants.try_emplace({digits.size(), std::string(digits)},
                               std::pair(std::string(key), std::string(IniLineValue(line))));
        return;
    }
    if (!find(key))
        m_keys.emplace_back(std::string(key), std::string(IniLineValue(line)));
}

const std::string* SectionKeys::find(std::string_view key) const {
    const auto it = std::find_if(m_keys.begin(), m_keys.end(), [key](const auto& known) {
        return EqualsIgnoringAsciiCase(known.first, key);
    });
    return it == m_keys.end() ? nullptr : &it->second;
}

std::optional<std::string> SectionKeys::text(std::string_view key) const {
    const std::string* found = find(key);
    return found ? std::optional(*found) : std::nullopt;
}

std::vector<std::pair<std::string, std::string>> SectionKeys::variants() const {
    std::vector<std::pair<std::string, std::string>> variants;
    for (const auto& [number, variant] : m_variants)
        variants.push_back(variant);
    return variants;
}

std::vector<IndexedSection> IndexSections(std::string_view text) {
    std::vector<IndexedSection> index;
    IndexedSection* current = nullptr;
    const auto close = [&] {
        // Blank lines and comments after a section's last key lead to the next one.
        if (current) {
            while (current->lines.size() > 1 && KeyOf(current->lines.back()).empty())
                current->lines.pop_back();
        }
    };
    ForEachIniLine(text, [&](std::string_view line) {
        if (IsHeader(line)) {
            close();
            const std::string_view name = SectionOf(line);
            std::string id = SectionId(name);
            current = nullptr;
            if (!id.empty() && !FindSection(index, id))
                current = &index.emplace_back(IndexedSection{std::string(name), std::move(id), {}, {}});
        } else if (current) {
            current->keys.add(line);
        }
        if (current)
            current->lines.emplace_back(line);
        return true;
    });
    close();
    return index;
}

const IndexedSection* FindSection(const std::vector<IndexedSection>& index, std::string_view id) {
    const auto it = std::find_if(index.begin(), index.end(),
                                 [id](const IndexedSection& section) { return section.id == id; });
    return it == index.end() ? nullptr : &*it;
}

} // namespace tes::kinds_lines
