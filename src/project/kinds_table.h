#pragma once

#include "lib/message.h"
#include "project/kind_keys.h"
#include "project/plant_areas.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tes {

// A value of a kind's row that the file holds but the program cannot read: the key as the file
// writes it ("Turn", "Variant2"), its text and why it is no value ("is not FROM:TO").
struct KeyFault {
    std::string key;
    std::string text;
    std::string problem;
    std::size_t variant = 0; // for a variant's key: its place among the row's variants, from 0
    bool operator==(const KeyFault&) const = default;
};

// A [ViewN] section that is not used: a value of it that cannot be read (key, text, problem), or with
// an empty key why the view as a whole is refused.
struct ViewFault {
    std::string section; // as the file names it: "View2"
    KeyFault fault;
    bool operator==(const ViewFault&) const = default;
};

// A [ViewN] section as the file writes it: its view when every value reads, else the faults that
// leave it out. Its lines are kept as written until the view itself is changed.
struct ViewSection {
    std::string section; // "View2"
    std::optional<PlantView> view;
    std::vector<KeyFault> faults;   // a fault with an empty key refuses the view as a whole
    std::vector<std::string> lines; // the section as the file holds it, header first; empty: new
    bool operator==(const ViewSection&) const = default;
};

// An [AreaN] section as the file writes it, kept as a view's section is: its area when every value
// reads, else the faults that leave it out (a fault with an empty key refuses the area as a whole).
struct AreaSection {
    std::string section; // "Area2"
    std::optional<PlantArea> area;
    std::vector<KeyFault> faults;
    std::vector<std::string> lines; // as the file holds it, header first; empty: new
    bool operator==(const AreaSection&) const = default;
    // Whether it acts on the kind's plants; one whose Kinds cannot be read might act on any.
    bool mayApplyTo(std::string_view kind) const;
};

// The lowest and highest scene Z a kind's plants stand at (MinHeight and MaxHeight in its section), as
// the script writes it; none: no limit.
struct HeightLimits {
    std::optional<double> min;
    std::optional<double> max;
    bool any() const { return min || max; }
    bool operator==(const HeightLimits&) const = default;
};

// How a kind's plants are placed beyond the Max file and object that stand for them: how they differ,
// how many are kept, how they grow lighter far from the cameras and where the model stands. A row's
// settings travel as this one value, from the kinds table to a build.
struct PlantSettings {
    std::optional<ValueRange> turn;  // degrees about the vertical axis, added to the kind's own turn
    std::optional<ValueRange> scale; // percent of the kind's scale
    std::uint32_t weight = 1;        // of the row's own Max file among the variants
    std::vector<KindVariant> variants;
    PlantThinning thinning;              // Keep, ThinBeyond and KeepFar
    PlantDetail detail;                  // FarModel, FarFrom and BoxFrom
    PlantStand stand = PlantStand::Auto; // Stand: where the model meets each plant's point
    HeightLimits heights;                // MinHeight and MaxHeight

    // Whether its plants differ: a turn, a scale or more than one Max file and object.
    bool varies() const { return turn || scale || !variants.empty(); }
    bool operator==(const PlantSettings&) const = default;
};

// Which Max file and object stand for one vegetation kind, and how its plants are placed.
struct KindRow {
    KindRow(std::string number = {}, std::string maxFile = {}, std::string objectName = {},
            bool enabled = true)
        : number(std::move(number)), maxFile(std::move(maxFile)), objectName(std::move(objectName)),
          enabled(enabled) {}

    std::string number; // the kind's number as its section names it: 5 for [Vegetation_5]
    std::string maxFile;
    std::string objectName; // empty: the Max file's name without folder and extension
    bool enabled = true;
    PlantSettings plants;
    // The values the file gives that cannot be read; each key's value above is then its default. A
    // kind with faults is not built until they are mended, and its lines stay as the user wrote them.
    std::vector<KeyFault> faults;

    // The object the kind's script merges.
    std::string object() const;
    bool operator==(const KindRow&) const = default;
    // Forgets the fault of a key (a variant's fault with "Variant"), once the key has a new value.
    void clearFault(std::string_view key);
};

// What a kinds table says: its rows, its seed, its views and its areas, with the values that cannot be
// read.
struct KindsTableContents {
    std::vector<KindRow> rows;
    std::optional<std::int64_t> seed;
    std::optional<KeyFault> seedFault;
    std::vector<ViewSection> views;
    std::vector<AreaSection> areas;
    bool operator==(const KindsTableContents&) const = default;
};

// The kinds table kept beside a project (<base>.tes.ini, INI text): one section per kind,
//   [Vegetation_5]
//   MaxFile=C:\Models\Oak Tree.max
//   ObjectName=Oak Tree
//   Enabled=1
// the project's views, the plants a camera sees ([View1], [View2] ...), and its areas, where plants
// grow ([Area1], [Area2] ...; docs/areas.md).
// Keys and sections of its own that the program does not know are kept when it writes the file.
class KindsTable {
public:
    static std::string PathFor(const std::string& projectBasePath);

    // A missing file is an empty table; a file that cannot be read or is no INI text adds a notice
    // naming it and gives an empty table. Each value that cannot be read adds a notice too (FaultText).
    static KindsTable Read(const std::string& path, Messages& messages);

    const std::vector<KindRow>& rows() const { return m_now.rows; }
    bool empty() const { return m_now.rows.empty(); }
    // Read from a file that is no kinds table: writing the table would lose what that file holds.
    bool damaged() const { return m_damaged; }
    // The row of a kind; its number is compared without leading zeros (05 is 5).
    const KindRow* find(std::string_view number) const;
    // Adds the row, or replaces the row of its kind where it stands.
    void set(KindRow row);
    // The project's seed of the plants' variation ([Variation] Seed=), 1 unless the table says.
    std::int64_t seed() const { return m_now.seed.value_or(1); }
    // Sets the seed; a seed the file gave that could not be read is then forgotten.
    void setSeed(std::int64_t seed);
    // The file's seed that could not be read, if so (its key is "Seed").
    const std::optional<KeyFault>& seedFault() const { return m_now.seedFault; }
    // The views whose plants are kept, in the order of their sections' numbers; a faulty one is left
    // out (see viewFaults).
    const std::vector<PlantView>& views() const { return m_views; }
    // Sets the views: each differing from the view in its place is written anew, views past the
    // last are added and the file's views past the given ones are removed. Views that cannot be read
    // count among the places, so a caller first refuses them (viewFaults).
    void setViews(std::vector<PlantView> views);
    const std::vector<ViewFault>& viewFaults() const { return m_viewFaults; }
    // Every [ViewN] section in the order of their numbers, those that cannot be read included.
    const std::vector<ViewSection>& viewSections() const { return m_now.views; }
    // Sets the view of section `index` (mending it when it could not be read), or adds a section
    // numbered after the last when `index` is past the last. Only that section's lines change.
    void setView(std::size_t index, const PlantView& view);
    // Removes section `index`; the other sections keep their names and lines.
    void removeView(std::size_t index);
    // Puts back the views as `sections` (an earlier viewSections()) held them, under their names: an undo.
    void restoreViews(std::vector<ViewSection> sections);

    // The areas that can be read, in the order of their sections' numbers (kinds_table_areas.cpp).
    std::vector<PlantArea> areas() const;
    // Every [AreaN] section in the order of their numbers, those that cannot be read included.
    const std::vector<AreaSection>& areaSections() const { return m_now.areas; }
    // Sets the area of section `index` (mending it), or adds a section numbered after the last when
    // `index` is past the last. Only that section's lines change.
    void setArea(std::size_t index, const PlantArea& area);
    // Removes section `index`; the other sections keep their names and lines.
    void removeArea(std::size_t index);
    void removeAreas();
    // Puts back the areas as `sections` (an earlier areaSections()) held them, under their names: an undo.
    void restoreAreas(std::vector<AreaSection> sections) { m_now.areas = std::move(sections); }
    // "Area2: Width=abc in Valley.tes.ini is not a number from 0 to 1000000000", or for an area refused
    // as a whole "Area2 in Valley.tes.ini: a line needs two points or more".
    std::string areaFaultText(const AreaSection& section, const KeyFault& fault) const;
    // The first fault of an area that may act on the kind's plants.
    std::optional<std::string> unreadableAreas(std::string_view kind) const;
    // Why the kind cannot be built, whether or not it has a row: its row's (unreadable), else the
    // views' and the areas' that act on it.
    std::optional<std::string> unreadableKind(std::string_view number) const;

    // The file's name, as messages name it: "Valley.tes.ini".
    const std::string& fileName() const { return m_fileName; }
    // "Vegetation_5: Turn=0:36O in Valley.tes.ini is not FROM:TO"; the seed's in "Variation: ...".
    std::string faultText(const KindRow& row, const KeyFault& fault) const;
    std::string seedFaultText() const;
    // "View2: Fov=200 in Valley.tes.ini is not a number from 1 to 179.9", or for a view refused as a
    // whole "View2 in Valley.tes.ini: the camera and the target are the same point ...".
    std::string viewFaultText(const ViewFault& fault) const;
    // How many values of the table cannot be read, the seed's and the views' included.
    std::size_t faultCount() const;
    // Why the kind of this row cannot be built as the table stands: its first fault, the first faulty
    // view's (the plants a view keeps would be wrong), the first faulty area's that may act on it, or
    // the seed's when its plants vary or are thinned. Nothing when it can.
    std::optional<std::string> unreadable(const KindRow& row) const;
    // The first faulty view's text, which refuses every kind, those without a row too.
    std::optional<std::string> unreadableViews() const;

    // Writes the table so that it replaces the file only when complete: Windows-1252 with CR LF, or
    // UTF-8 behind a byte-order mark when a name needs it (or the file was UTF-8). The file is read
    // again as it is now, whoever wrote it, and only the keys this table changed since it was read
    // (or last written or followed) are written into it; every other line stays byte for byte. When
    // that changes nothing the file is not touched. The table then holds the file as written.
    // Throws Failure; the table is then unchanged.
    void write(const std::string& path);
    // The keys the last write (or follow) replaced that another writer had changed since this table
    // read them: "Vegetation_2: Keep=30".
    const std::vector<std::string>& replaced() const { return m_replaced; }
    // Whether the table holds changes that its file does not.
    bool unsaved() const;
    // Forgets the changes not yet saved.
    void revert();
    // Reads the file again when it changed since this table read or wrote it, keeping this table's
    // unsaved changes on top of it (they win over the file's). Each value that cannot be read adds a
    // notice, as Read does. Whether the table changed.
    bool follow(const std::string& path, Messages& messages);

private:
    using Contents = KindsTableContents;
    // What the text of a kinds table says; each value that cannot be read adds a notice.
    Contents contentsOf(const std::string& text, Messages& messages) const;
    // Takes the text as the file's: what the table says and what its changes are told from.
    void take(std::string text, Messages& messages);
    // The notice of a file that is no kinds table, and why.
    Message damagedNotice(const std::string& why) const;
    // The usable views and their faults, from the sections.
    void sortViews();

    std::string m_text; // the file as read, written or followed: what the changes are told from
    Contents m_base;    // what m_text says
    Contents m_now;     // what the table says now
    std::vector<PlantView> m_views;
    std::vector<ViewFault> m_viewFaults;
    std::vector<std::string> m_replaced;
    std::string m_fileName;
    bool m_damaged = false;
};

// Stores the table in its file. The refusal when it was read from a damaged file (which is never
// written over), or the failure when it cannot be written.
std::optional<Message> StoreKindsTable(KindsTable& table, const std::string& path);

// A kind's number written as its section names it: the leading zeros dropped (05 gives 5).
std::string KindNumber(std::string_view number);

} // namespace tes
