#include "project/kinds_table.h"

#include "lib/atomic_file.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "lib/ini.h"
#include "lib/text_codec.h"

#include <algorithm>
#include <filesystem>

namespace tes {

namespace {

constexpr std::string_view kSectionPrefix = "Vegetation_";
constexpr std::string_view kOwnedKeys[] = {"MaxFile", "ObjectName", "Enabled"};

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

bool IsOwnedKey(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    const std::string_view key = TrimIniBlanks(line.substr(0, equals));
    return std::any_of(std::begin(kOwnedKeys), std::end(kOwnedKeys),
                       [&](std::string_view owned) { return EqualsIgnoringAsciiCase(key, owned); });
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
    ForEachIniLine(m_text, [&](std::string_view line) {
        const std::string_view section = SectionOf(line);
        if (!section.empty() || TrimIniBlanks(line).starts_with('[')) {
            current = IsKindSection(section) ? find(section.substr(kSectionPrefix.size())) : nullptr;
            if (current && std::find(written.begin(), written.end(), current->number) != written.end())
                current = nullptr; // a later section of the same kind keeps what it says
            out.append(line).push_back('\n');
            if (current) {
                AppendOwnedKeys(out, *current);
                written.push_back(current->number);
            }
            return true;
        }
        if (!(current && IsOwnedKey(line)))
            out.append(line).push_back('\n');
        return true;
    });
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
