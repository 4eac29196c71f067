#pragma once

#include "lib/message.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tes {

// Which Max file and object stand for one vegetation kind.
struct KindRow {
    std::string number; // the kind's number as its section names it: 5 for [Vegetation_5]
    std::string maxFile;
    std::string objectName; // empty: the Max file's name without folder and extension
    bool enabled = true;

    // The object the kind's script merges.
    std::string object() const;
};

// The kinds table kept beside a project (<base>.tes.ini, INI text): one section per kind,
//   [Vegetation_5]
//   MaxFile=C:\Models\Oak Tree.max
//   ObjectName=Oak Tree
//   Enabled=1
// Keys and sections of its own that the program does not know are kept when it writes the file.
class KindsTable {
public:
    static std::string PathFor(const std::string& projectBasePath);

    // A missing file is an empty table; a file that cannot be read or is no INI text adds a notice
    // naming it and gives an empty table.
    static KindsTable Read(const std::string& path, Messages& messages);

    const std::vector<KindRow>& rows() const { return m_rows; }
    bool empty() const { return m_rows.empty(); }
    // Read from a file that is no kinds table: writing the table would lose what that file holds.
    bool damaged() const { return m_damaged; }
    // The row of a kind; its number is compared without leading zeros (05 is 5).
    const KindRow* find(std::string_view number) const;
    // Adds the row, or replaces the row of its kind where it stands.
    void set(KindRow row);

    // Writes the table so that it replaces the file only when complete: Windows-1252 with CR LF, or
    // UTF-8 behind a byte-order mark when a name needs it. Throws Failure.
    void write(const std::string& path) const;

private:
    std::string m_text; // the file as read, for the keys and sections the table does not own
    std::vector<KindRow> m_rows;
    bool m_damaged = false;
};

// Stores the table in its file. The refusal when it was read from a damaged file (which is never
// written over), or the failure when it cannot be written.
std::optional<Message> StoreKindsTable(const KindsTable& table, const std::string& path);

// A kind's number written as its section names it: the leading zeros dropped (05 gives 5).
std::string KindNumber(std::string_view number);

} // namespace tes
