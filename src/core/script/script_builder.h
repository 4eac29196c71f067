#pragma once

#include "core/place/record_position.h"
#include "core/plants/plant_variation.h"
#include "core/script/copy_lines.h"
#include "core/script/fast_script.h"
#include "core/script/script_style.h"
#include "core/script/typed_number.h"
#include "lib/line_list.h"
#include "lib/progress.h"
#include "lib/streamed_text_writer.h"

#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tes {

// The most characters ScriptBuilder::writeVariedPlant writes.
inline constexpr std::size_t kMaxVariedPlantText = kMaxPositionText + 3 * kMaxFixedDecimalsText + 6;

// What one build writes: everything worked out from the options before the records are read.
struct ScriptSetup {
    std::string number;     // the kind's number, as field 0 of its records reads
    std::string objectName; // checked to be writable into MAXScript
    std::string maxFile;    // as the user wrote it
    std::string scriptPath; // the file named in the heading, and written when `save` is set
    bool save = true;
    double middle = 0; // the tile's middle: it lands on the scene's origin
    double objectScale = 100;
    double verticalScale = 1;
    double verticalOffset = 0;
    bool rotate = false;
    TypedNumber rotationAngle = "0"; // written as typed
    std::uint64_t twoThreadsFrom = 500000;
    std::uint64_t fileByteLimit = ~std::uint64_t{0};
    ScriptStyle style;
    // How the plants differ (the fast shape), and the Max file and object of each variant, the
    // kind's own first; without variation every plant is the first object's copy.
    PlantVariation variation;
    std::vector<FastSource> sources;
    // Where the model meets each plant's point (the fast shape).
    PlantStand stand = PlantStand::Auto;
    // No record of the kind is left: the fast script merges nothing and only clears an earlier run's
    // plants, the classic one merges nothing.
    bool noPlants = false;
};

enum class RunOutcome { Done, Cancelled };

// One build of a placement script. The lines collect in lines(); the file, when asked for, is written
// while they are made and replaces the earlier one only when the build completes.
class ScriptBuilder {
public:
    explicit ScriptBuilder(ScriptSetup setup);

    // Builds the objects of the kind's records that `chosen` holds (all without it). Throws Failure
    // where the build fails; the lines made until then stay in lines().
    RunOutcome run(const LineList& records, Progress& progress, const ChosenRows* chosen = nullptr);

    // The lines built; after a failure, without a point still waiting for its line's end.
    LineList& lines() {
        if (m_pointOpen)
            m_lines.dropUnendedText();
        m_pointOpen = false;
        return m_lines;
    }
    std::uint64_t objectCount() const { return m_objectCount; }

private:
    void addHeader();
    // The fast shape's points, each written once the next one shows whether its array goes on.
    void addFastPoint(std::string_view position);
    // An item of the points' data, written as head and tail.
    void addFastItem(std::string_view head, std::string_view tail);
    void closeFastPoints();
    // What follows the last object.
    void finish();
    // Both take the object's position as "X,Y,Z]".
    void addFirstObject(std::string_view position);
    void addFirstObjectTurnAndScale();
    void addCopy(std::string_view position);
    // A plant that differs: writes "[X,Y,Z],turn,factor,variant" for a matching record, its look
    // worked out from the record's x and z, and returns the end. Reads only the setup, so the second
    // thread of a long list calls it too.
    char* writeVariedPlant(char* out, std::string_view entry) const;
    void addVariedPlant(std::string_view item) {
        addFastItem(item, {});
        ++m_objectCount;
        m_copyNumber.increment();
    }
    // What a matching record gives: its position, and its look when plants differ; and its adding.
    char* writeItem(char* out, std::string_view entry) const {
        return m_varied ? writeVariedPlant(out, entry) : m_rule.writePosition(out, entry);
    }
    void addItem(std::string_view item) {
        if (m_varied)
            addVariedPlant(item);
        else
            addObject(item);
    }
    void addObject(std::string_view position) {
        if (m_objectCount == 0)
            addFirstObject(position);
        else if (m_fast)
            addFastPoint(position);
        else
            addCopy(position);
        ++m_objectCount;
        m_copyNumber.increment();
    }
    // Works out the first object's rotate and scale lines before any worker starts.
    void prepareFirstObject();
    // Adds the objects of rows [begin, end). `tick(row)` is called every kProgressStep rows and
    // stops the work when it returns false; so does this.
    template <typename Tick> bool addRows(std::uint64_t begin, std::uint64_t end, Tick tick);
    // Reserves room for the script once the first rows show how long it gets.
    void estimateAt(std::uint64_t row, std::uint64_t count);
    // Has the system hand out the pages of the room reserved for the script (see estimateAt), while
    // a worker may still be writing into it: waiting for the worker, this thread can spare the time.
    void prefaultRoom();
    // Builds rows [0, split) on a worker while this thread works out the positions of the rest, then
    // adds those; nullopt when the system has no thread to give.
    std::optional<RunOutcome> buildOnTwoThreads(std::uint64_t split, ProgressScope& progress);
    // Appends to `positions` the positions of the matching rows from `begin` on; `report(row)` as the
    // tick of addRows.
    template <typename Report> bool addPositions(std::uint64_t begin, LineList& positions, Report report);

    // Ends the line appended since the last one; the file gets it too.
    void endLine() {
        const std::size_t begin = m_lines.empty() ? 0 : m_lines.ends().back();
        m_lines.endLine();
        if (m_file)
            m_file->writeLine(m_lines.text().substr(begin));
    }
    void addLine(std::string_view text) {
        m_lines.appendText(text);
        endLine();
    }
    // Writes the lines from `firstLine` on, which were added to the list without the file.
    void writeToFile(std::size_t firstLine);

    static constexpr std::uint64_t kProgressStep = 65536;
    // After this many records the script's size is estimated and room reserved for it.
    static constexpr std::uint64_t kEstimateAfter = 4 * kProgressStep;

    ScriptSetup m_setup;
    PlantLooks m_looks; // of m_setup.variation
    PositionRule m_rule;
    ObjectNames m_names;
    LineList m_lines;
    CopyNumber m_copyNumber;
    std::uint64_t m_objectCount = 0;
    // The first object's rotate line and scale line ("" when there is none), or what stopped them.
    std::string m_rotateLine;
    std::string m_scaleLine;
    std::exception_ptr m_firstObjectFailure;
    const LineList* m_records = nullptr;
    const ChosenRows* m_chosen = nullptr;
    // Where the room reserved for the script lies, for prefaultRoom.
    std::mutex m_roomMutex;
    std::span<const char> m_textRoom;
    std::span<const std::uint64_t> m_endsRoom;
    std::unique_ptr<StreamedTextWriter> m_file;
    bool m_recordLinesAscii = true; // the object's name is plain ASCII, and so is every record line
    bool m_fast = false;
    bool m_varied = false; // the fast shape with plants that differ
    FastScriptNames m_fastNames;
    // The last point is in the list, its line not yet ended: the next point shows whether its array
    // goes on (a comma) or closes.
    bool m_pointOpen = false;
    int m_pointsInArray = 0;
};

template <typename Tick> bool ScriptBuilder::addRows(std::uint64_t begin, std::uint64_t end, Tick tick) {
    std::array<char, kMaxVariedPlantText> text{};
    return ForEachMatchingRow(
        m_rule, *m_records, m_chosen, begin, end, kProgressStep, tick, [&](std::string_view entry) {
            const char* const last = writeItem(text.data(), entry);
            addItem(std::string_view(text.data(), static_cast<std::size_t>(last - text.data())));
        });
}

} // namespace tes
