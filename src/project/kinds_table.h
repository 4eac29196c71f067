#pragma once

#include "lib/message.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tes {

// A range of numbers a plant's value is drawn from, both ends included.
struct ValueRange {
    double from = 0;
    double to = 0;
    bool operator==(const ValueRange&) const = default;
};

// The largest weight a window or the command line takes: the weights of a kind add up within 32 bits.
inline constexpr std::uint32_t kMaxVariantWeight = 1000000;

// One more Max file and object that a kind's plants may take, and how often, against the others.
struct KindVariant {
    std::string maxFile;
    std::string objectName; // empty: the Max file's name
    std::uint32_t weight = 1;
    std::string object() const;
    bool operator==(const KindVariant&) const = default;
};

// Which Max file and object stand for one vegetation kind, and how its plants differ.
struct KindRow {
    KindRow(std::string number = {}, std::string maxFile = {}, std::string objectName = {},
            bool enabled = true)
        : number(std::move(number)), maxFile(std::move(maxFile)), objectName(std::move(objectName)),
          enabled(enabled) {}

    std::string number; // the kind's number as its section names it: 5 for [Vegetation_5]
    std::string maxFile;
    std::string objectName; // empty: the Max file's name without folder and extension
    bool enabled = true;
    std::optional<ValueRange> turn;  // degrees about the vertical axis, added to the kind's own turn
    std::optional<ValueRange> scale; // percent of the kind's scale
    std::uint32_t weight = 1;        // of the row's own Max file among the variants
    std::vector<KindVariant> variants;

    // The object the kind's script merges.
    std::string object() const;
    // Whether its plants differ: a turn, a scale or more than one Max file and object.
    bool varies() const { return turn || scale || !variants.empty(); }
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
    // The project's seed of the plants' variation ([Variation] Seed=), 1 unless the table says.
    std::int64_t seed() const { return m_seed.value_or(1); }
    void setSeed(std::int64_t seed) { m_seed = seed; }

    // Writes the table so that it replaces the file only when complete: Windows-1252 with CR LF, or
    // UTF-8 behind a byte-order mark when a name needs it. Throws Failure.
    void write(const std::string& path) const;

private:
    std::string m_text; // the file as read, for the keys and sections the table does not own
    std::vector<KindRow> m_rows;
    std::optional<std::int64_t> m_seed;
    bool m_damaged = false;
};

// Stores the table in its file. The refusal when it was read from a damaged file (which is never
// written over), or the failure when it cannot be written.
std::optional<Message> StoreKindsTable(const KindsTable& table, const std::string& path);

// The texts of a range and a variant as the table keeps them: "80:120" and "D:\M\Oak.max|Oak_02|3".
// A text that is not one gives nothing.
std::string RangeText(const ValueRange& range);
std::optional<ValueRange> ParseRange(std::string_view text);
std::string VariantText(const KindVariant& variant);
std::optional<KindVariant> ParseVariant(std::string_view text);

// A kind's number written as its section names it: the leading zeros dropped (05 gives 5).
std::string KindNumber(std::string_view number);

} // namespace tes
