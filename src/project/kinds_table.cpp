#include "project/kinds_table.h"

#include "lib/atomic_file.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "lib/ini.h"
#include "lib/numbers.h"
#include "lib/text_codec.h"
#include "project/vegetation_list.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace tes {

namespace {

constexpr std::string_view kSectionPrefix = "Vegetation_";
constexpr std::string_view kOwnedKeys[] = {"MaxFile", "ObjectName", "Enabled", "Turn", "Scale", "Weight"};
constexpr std::string_view kVariantKey = "Variant"; // Variant1, Variant2 ...
constexpr std::string_view kVariationSection = "Variation";
constexpr std::string_view kSeedKey = "Seed";

// The section a header line opens ("Vegetation_5"), or nothing for other lines.
std::string_view SectionOf(std::string_view line) {
    line = TrimIniBlanks(line);
    if (!line.starts_with('['))
        return {};
    return TrimIniBlanks(line.substr(1, line.find(']') - 1));
}

bool IsKindSection(std::string_view section) {
    return section.size() > kSectionPrefix.size() &&
           EqualsIgnoringAsciiCase(section.substr(0, kSectionPrefix.size()), kSectionPrefix);
}

std::string_view KeyOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : TrimIniBlanks(line.substr(0, equals));
}

bool IsVariantKey(std::string_view key) {
    return key.size() > kVariantKey.size() &&
           EqualsIgnoringAsciiCase(key.substr(0, kVariantKey.size()), kVariantKey) &&
           key.find_first_not_of("0123456789", kVariantKey.size()) == std::string_view::npos;
}

bool IsOwnedKey(std::string_view line) {
    const std::string_view key = KeyOf(line);
    return IsVariantKey(key) ||
           std::any_of(std::begin(kOwnedKeys), std::end(kOwnedKeys),
                       [&](std::string_view owned) { return EqualsIgnoringAsciiCase(key, owned); });
}

// A weight: a whole number small enough for 32 bits.
bool IsWholeNumberText(std::string_view text) {
    return text.size() <= 9 && IsDigitsOnly(text);
}

std::optional<double> NumberOf(std::string_view text) {
    text = TrimIniBlanks(text);
    if (!IsNumericText(text))
        return std::nullopt;
    return LeadingNumberValue(text);
}

// The variation keys of a kind's section.
void ReadVariation(std::string_view text, std::string_view section, KindRow& row) {
    std::string value;
    if (LookupIniValue(text, section, "Turn", value))
        row.turn = ParseRange(value);
    if (LookupIniValue(text, section, "Scale", value))
        row.scale = ParseRange(value);
    if (LookupIniValue(text, section, "Weight", value) && IsWholeNumberText(TrimIniBlanks(value)))
        row.weight = static_cast<std::uint32_t>(std::stoul(std::string(TrimIniBlanks(value))));
    for (int i = 1; LookupIniValue(text, section, std::string(kVariantKey) + std::to_string(i), value); ++i) {
        if (std::optional<KindVariant> variant = ParseVariant(value))
            row.variants.push_back(std::move(*variant));
    }
}

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

void AppendOwnedKeys(std::string& out, const KindRow& row) {
    out += "MaxFile=" + row.maxFile + "\n";
    if (!row.objectName.empty())
        out += "ObjectName=" + row.objectName + "\n";
    out += std::string("Enabled=") + (row.enabled ? "1" : "0") + "\n";
    if (row.turn)
        out += "Turn=" + RangeText(*row.turn) + "\n";
    if (row.scale)
        out += "Scale=" + RangeText(*row.scale) + "\n";
    if (row.weight != 1)
        out += "Weight=" + std::to_string(row.weight) + "\n";
    for (std::size_t i = 0; i < row.variants.size(); ++i)
        out += std::string(kVariantKey) + std::to_string(i + 1) + "=" + VariantText(row.variants[i]) + "\n";
}

} // namespace

std::optional<Message> StoreKindsTable(const KindsTable& table, const std::string& path) {
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

std::string RangeText(const ValueRange& range) {
    return DecimalText(range.from) + ":" + DecimalText(range.to);
}

std::optional<ValueRange> ParseRange(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::optional<double> from = NumberOf(text.substr(0, colon));
    const std::optional<double> to = NumberOf(text.substr(colon + 1));
    if (!from || !to || *from > *to)
        return std::nullopt;
    return ValueRange{*from, *to};
}

std::string VariantText(const KindVariant& variant) {
    return variant.maxFile + "|" + variant.objectName + "|" + std::to_string(variant.weight);
}

std::optional<KindVariant> ParseVariant(std::string_view text) {
    const std::size_t first = text.find('|');
    const std::size_t second = first == std::string_view::npos ? first : text.find('|', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    KindVariant variant;
    variant.maxFile = TrimIniBlanks(text.substr(0, first));
    variant.objectName = TrimIniBlanks(text.substr(first + 1, second - first - 1));
    const std::string_view weight = TrimIniBlanks(text.substr(second + 1));
    if (variant.maxFile.empty() || !IsWholeNumberText(weight))
        return std::nullopt;
    variant.weight = static_cast<std::uint32_t>(std::stoul(std::string(weight)));
    return variant;
}

std::string KindVariant::object() const {
    return objectName.empty() ? GetBaseFileName(maxFile) : objectName;
}

std::string KindRow::object() const {
    return objectName.empty() ? GetBaseFileName(maxFile) : objectName;
}

std::string KindsTable::PathFor(const std::string& projectBasePath) {
    return projectBasePath + ".tes.ini";
}

KindsTable KindsTable::Read(const std::string& path, Messages& messages) {
    KindsTable table;
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
        messages.push_back(Notice("The kinds table " + GetFileNameFromPath(path) +
                                  " cannot be read; it is left aside and no kind has a Max file."));
        table.m_damaged = true;
        return table;
    }
    table.m_text = text;
    std::string seed;
    if (LookupIniValue(text, kVariationSection, kSeedKey, seed)) {
        if (const std::optional<double> number = NumberOf(seed);
            number && *number == std::trunc(*number) && std::fabs(*number) < 9e15)
            table.m_seed = static_cast<std::int64_t>(*number);
    }
    ForEachIniLine(text, [&](std::string_view line) {
        const std::string_view section = SectionOf(line);
        if (!IsKindSection(section))
            return true;
        KindRow row;
        row.number = KindNumber(section.substr(kSectionPrefix.size()));
        if (table.find(row.number))
            return true; // only the first section of a name counts
        std::string value;
        if (LookupIniValue(text, section, "MaxFile", value))
            row.maxFile = value;
        if (LookupIniValue(text, section, "ObjectName", value))
            row.objectName = value;
        row.enabled = !(LookupIniValue(text, section, "Enabled", value) && TrimIniBlanks(value) == "0");
        ReadVariation(text, section, row);
        table.m_rows.push_back(std::move(row));
        return true;
    });
    return table;
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

void KindsTable::write(const std::string& path) const {
    // The file as it was, with the keys of each row's section written anew, then the new sections.
    std::string out;
    std::vector<std::string> written;
    const KindRow* current = nullptr;
    bool inVariation = false; // in the section that holds the seed
    bool seedWritten = false;
    ForEachIniLine(m_text, [&](std::string_view line) {
        const std::string_view section = SectionOf(line);
        if (!section.empty() || TrimIniBlanks(line).starts_with('[')) {
            current = IsKindSection(section) ? find(section.substr(kSectionPrefix.size())) : nullptr;
            if (current && std::find(written.begin(), written.end(), current->number) != written.end())
                current = nullptr; // a later section of the same kind keeps what it says
            inVariation = m_seed && !seedWritten && EqualsIgnoringAsciiCase(section, kVariationSection);
            out.append(line).push_back('\n');
            if (current) {
                AppendOwnedKeys(out, *current);
                written.push_back(current->number);
            }
            if (inVariation) {
                out += std::string(kSeedKey) + "=" + std::to_string(*m_seed) + "\n";
                seedWritten = true;
            }
            return true;
        }
        const bool owned =
            (current && IsOwnedKey(line)) || (inVariation && EqualsIgnoringAsciiCase(KeyOf(line), kSeedKey));
        if (!owned)
            out.append(line).push_back('\n');
        return true;
    });
    if (m_seed && !seedWritten)
        out += "[" + std::string(kVariationSection) + "]\n" + std::string(kSeedKey) + "=" +
               std::to_string(*m_seed) + "\n";
    for (const KindRow& row : m_rows) {
        if (std::find(written.begin(), written.end(), row.number) != written.end())
            continue;
        out += "[Vegetation_" + row.number + "]\n";
        AppendOwnedKeys(out, row);
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
}

} // namespace tes
