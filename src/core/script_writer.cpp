#include "core/script_writer.h"

#include "core/context.h"
#include "core/copy_lines.h"
#include "core/failure_message.h"
#include "core/maxscript_literals.h"
#include "core/progress_scope.h"
#include "core/record_position.h"
#include "core/script_numbers.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/numbers.h"
#include "lib/prefault.h"
#include "lib/streamed_text_writer.h"
#include "lib/text_codec.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>

namespace tes {

namespace {

constexpr std::uint64_t kProgressStep = 65536;
// After this many records the script's size is estimated and room reserved for it.
constexpr std::uint64_t kEstimateAfter = 4 * kProgressStep;

// Lists of at least this many rows are built on two threads.
std::uint64_t g_twoThreadsFrom = 500000;
// The share of the rows a worker builds when this thread works out the positions of the rest: this
// thread then still writes the lines of its rows (see the measurements in docs/performance.md).
constexpr double kWorkerShare = 0.4;

constexpr std::string_view kRefusedNameMessage =
    "Please specify a Max object name without quotes or control characters";

// The tile's middle on both horizontal axes and its span, in environment units. Evaluated left to
// right as written, so the results match the environment reader's region to the last bit.
struct TileGeometry {
    double H = 0;
    double T = 0;
};

TileGeometry ComputeTile(bool mainTile, double gridRes, double w) {
    TileGeometry g;
    if (mainTile) {
        if (w == 6) {
            g.H = gridRes * 512 * 3 / 2;
            g.T = gridRes * 512;
        } else {
            g.H = gridRes * 256 * w / 2;
            g.T = gridRes * 256;
        }
    } else if (w == 3) {
        g.H = gridRes * 256 / 2;
        g.T = gridRes * 256;
    } else {
        g.H = gridRes * 256 / 2 + gridRes * 256;
        g.T = gridRes * 256;
    }
    g.H = checkedFinite(g.H);
    g.T = checkedFinite(g.T);
    return g;
}

double FieldNumber(const MainModel& form, TextField field) {
    return checkedFinite(LeadingNumberValue(form.text(field)));
}

enum class BuildOutcome { Done, Cancelled };

// One build. The lines collect in `m_lines`; the caller decides whether they replace List2.
class ScriptBuilder {
public:
    ScriptBuilder(Context& ctx, std::string number, std::string name)
        : m_ctx(ctx), m_form(ctx.form), m_number(std::move(number)), m_name(std::move(name)) {}

    BuildOutcome run();
    LineList& lines() { return m_lines; }

private:
    void addHeader();
    // Both take the object's position as "X,Y,Z]".
    void addFirstObject(std::string_view position);
    void addCopy(std::string_view position);
    void addObject(std::string_view position) {
        if (m_first) {
            addFirstObject(position);
            m_first = false;
        } else {
            addCopy(position);
        }
        m_copyNumber.increment();
    }
    // Works out what the first object's lines need from the form, on this thread: a worker may
    // place the first object.
    void prepareFirstObject();
    // Adds the objects of rows [begin, end). `tick(row)` is called every kProgressStep rows and
    // stops the work when it returns false; so does this.
    template <typename Tick>
    bool addRows(const PositionRule& rule, std::uint64_t begin, std::uint64_t end, Tick tick);
    // Reserves room for the script once the first rows show how long it gets.
    void estimateAt(std::uint64_t row, std::uint64_t count) {
        if (row == kEstimateAfter && count > 2 * row) {
            m_lines.reserveScaled(1.1 * static_cast<double>(count) / static_cast<double>(row));
            const std::lock_guard lock(m_roomMutex);
            m_textRoom = {m_lines.text().data(), m_lines.textBuffer().capacity()};
            m_endsRoom = {m_lines.ends().data(), m_lines.endsCapacity() * sizeof(std::uint64_t)};
        }
    }
    // Has the system hand out the pages of the room reserved for the script (see estimateAt), while
    // a worker may still be writing into it: waiting for the worker, this thread can spare the time.
    void prefaultRoom() {
        const std::lock_guard lock(m_roomMutex);
        PrefaultForWriting(m_textRoom.first, m_textRoom.second);
        PrefaultForWriting(m_endsRoom.first, m_endsRoom.second);
    }
    // Builds rows [0, split) on a worker while this thread works out the positions of the rest, then
    // adds those; nullopt when the system has no thread to give.
    std::optional<BuildOutcome> buildOnTwoThreads(const PositionRule& rule, std::uint64_t split,
                                                  ProgressScope& progress);
    // Ends the line written into the list's text since the last one; the file gets it too.
    void endLine() {
        const std::size_t begin = m_lines.empty() ? 0 : m_lines.ends().back();
        m_lines.endLine();
        if (m_file)
            m_file->writeLine(m_lines.text().substr(begin));
    }
    void addLine(std::string_view text) {
        m_lines.textBuffer().append(text);
        endLine();
    }
    // Writes the lines from `firstLine` on, which were added to the list without the file.
    void writeToFile(std::size_t firstLine) {
        if (!m_file)
            return;
        const char* const text = m_lines.text().data();
        const std::span<const std::uint64_t> ends = m_lines.ends();
        std::uint64_t begin = firstLine == 0 ? 0 : ends[firstLine - 1];
        for (std::size_t i = firstLine; i < ends.size(); ++i) {
            const std::string_view line(text + begin, ends[i] - begin);
            begin = ends[i];
            if (m_recordLinesAscii)
                m_file->writeAsciiLine(line);
            else
                m_file->writeLine(line);
        }
    }

    Context& m_ctx;
    MainModel& m_form;
    std::string m_number;
    std::string m_name;
    ObjectNames m_names;
    double m_objScale = 0;
    LineList m_lines;
    CopyNumber m_copyNumber;
    bool m_first = true;
    // The first object's rotate line and scale line ("" when there is none), or what stopped them.
    std::string m_rotateLine;
    std::string m_scaleLine;
    std::exception_ptr m_firstObjectFailure;
    const LineList* m_records = nullptr;
    // Where the room reserved for the script lies (address, bytes), for prefaultRoom.
    std::mutex m_roomMutex;
    std::pair<const void*, std::size_t> m_textRoom{nullptr, 0};
    std::pair<const void*, std::size_t> m_endsRoom{nullptr, 0};
    // The script file, written while the lines are made; it replaces the earlier one when complete.
    std::unique_ptr<StreamedTextWriter> m_file;
    bool m_recordLinesAscii = true; // the object's name is plain ASCII, and so is every record line
};

BuildOutcome ScriptBuilder::run() {
    Session& session = m_ctx.session;
    const bool mainTile = m_form.check(CheckBox::chkMainTile) == kChecked;
    const std::string twoDigits = PatternText(checkedFinite(LeadingNumberValue(m_number)), 2, 0);
    session.ScriptFilePath =
        session.ProjectBasePath + (mainTile ? "_MainVeg_" : "_PerVeg_") + twoDigits + ".ms";

    const double gridRes = FieldNumber(m_form, TextField::txtGridRes);
    const double w = session.TerrainWidth;
    double gridSize = RoundHalfEven(FieldNumber(m_form, TextField::txtGridSize));
    m_objScale = FieldNumber(m_form, TextField::txtObjectScale);

    const TileGeometry tile = ComputeTile(mainTile, gridRes, w);
    const double H = tile.H;

    // The grid size and the object scale are tied by gridSize = objScale * T / 100; the option says
    // which of the two follows the other.
    if (m_form.check(CheckBox::chkUseObjectScale) == kChecked) {
        gridSize = RoundHalfEven(checkedFinite(m_objScale * tile.T / 100));
        m_form.setText(TextField::txtGridSize, DecimalText(gridSize));
    } else {
        m_objScale = checkedFinite(checkedDivide(gridSize * 100, tile.T));
        m_form.setText(TextField::txtObjectScale, PatternText(RoundHalfEven(m_objScale, 6), 1, 6));
    }

    const double vScale = FieldNumber(m_form, TextField::txtVerticalScale);
    const double vOffset = FieldNumber(m_form, TextField::txtVerticalOffset);
    m_names = MakeObjectNames(m_name);
    m_recordLinesAscii = IsAscii(m_names.copyHead) && IsAscii(m_names.copyPathHead) &&
                         IsAscii(m_names.copyPathTail) && IsAscii(m_names.path);
    if (session.SaveToFile)
        m_file = std::make_unique<StreamedTextWriter>(session.ScriptFilePath);

    addHeader();

    const LineList& records = m_form.list(ListId::List1);
    const std::uint64_t count = records.size();
    ProgressScope progress(m_ctx.platform, (session.SaveToFile ? "Writing " : "Building ") +
                                               GetFileNameFromPath(session.ScriptFilePath));
    PositionRule rule;
    rule.number = m_number;
    rule.H = H;
    rule.vScale = vScale;
    rule.vOffset = vOffset;
    rule.objScale = m_objScale;

    m_records = &records;
    prepareFirstObject();

    // A long list goes on two threads.
    std::optional<BuildOutcome> outcome;
    if (count >= g_twoThreadsFrom && std::thread::hardware_concurrency() > 1)
        outcome = buildOnTwoThreads(
            rule, static_cast<std::uint64_t>(static_cast<double>(count) * kWorkerShare), progress);
    if (!outcome) {
        const bool done = addRows(rule, 0, count, [&](std::uint64_t row) {
            estimateAt(row, count);
            return progress.report(row, count);
        });
        outcome = done ? BuildOutcome::Done : BuildOutcome::Cancelled;
    }
    if (outcome == BuildOutcome::Cancelled)
        return BuildOutcome::Cancelled;

    if (m_file) {
        // The last chunks are still on their way to the disk.
        if (!progress.report(count, count))
            return BuildOutcome::Cancelled;
        m_file->commit();
    }
    return BuildOutcome::Done;
}

template <typename Tick>
bool ScriptBuilder::addRows(const PositionRule& rule, std::uint64_t begin, std::uint64_t end, Tick tick) {
    std::array<char, kMaxPositionText> position{};
    return ForEachMatchingRow(rule, *m_records, begin, end, kProgressStep, tick, [&](std::string_view entry) {
        const char* const last =
            rule.writePosition(position.data(), entry, m_records->text().data() + m_records->textBytes());
        addObject(std::string_view(position.data(), static_cast<std::size_t>(last - position.data())));
    });
}

std::optional<BuildOutcome> ScriptBuilder::buildOnTwoThreads(const PositionRule& rule, std::uint64_t split,
                                                             ProgressScope& progress) {
    const std::uint64_t count = m_records->size();
    std::atomic<std::uint64_t> workerRows{0};
    std::atomic<bool> workerDone{false};
    std::exception_ptr workerFailure;
    // Until it is joined the worker alone adds lines and writes the file; its destructor stops it.
    std::jthread worker;
    try {
        worker = std::jthread([&](std::stop_token stop) {
            try {
                addRows(rule, 0, split, [&](std::uint64_t row) {
                    workerRows.store(row, std::memory_order_relaxed);
                    estimateAt(row, count);
                    return !stop.stop_requested();
                });
            } catch (...) {
                workerFailure = std::current_exception();
            }
            workerRows.store(split, std::memory_order_relaxed);
            workerDone.store(true, std::memory_order_release);
        });
    } catch (const std::system_error&) {
        return std::nullopt;
    }
    const auto report = [&](std::uint64_t ownRows) {
        return progress.report(workerRows.load(std::memory_order_relaxed) + ownRows, count);
    };

    // The positions of the later rows, meanwhile; a record that cannot be placed ends them there.
    LineList positions;
    std::exception_ptr ownFailure;
    bool cancelled = false;
    try {
        std::array<char, kMaxPositionText> scratch{};
        const char* const readable = m_records->text().data() + m_records->textBytes();
        cancelled = !ForEachMatchingRow(
            rule, *m_records, split, count, kProgressStep,
            [&](std::uint64_t row) {
                if (row - split == kEstimateAfter && count - split > 2 * kEstimateAfter)
                    positions.reserveScaled(1.1 * static_cast<double>(count - split) / kEstimateAfter);
                return report(row - split);
            },
            [&](std::string_view entry) {
                const char* const last = rule.writePosition(scratch.data(), entry, readable);
                positions.append(
                    std::string_view(scratch.data(), static_cast<std::size_t>(last - scratch.data())));
            });
    } catch (...) {
        ownFailure = std::current_exception();
    }
    if (!cancelled)
        prefaultRoom();
    while (!cancelled && !workerDone.load(std::memory_order_acquire)) {
        cancelled = !report(count - split);
        if (!cancelled)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (cancelled)
        return BuildOutcome::Cancelled; // the worker is stopped and joined on the way out
    worker.join();

    // The objects in their order, and a failure where one pass would have met it.
    if (workerFailure)
        std::rethrow_exception(workerFailure);
    for (std::size_t i = 0; i < positions.size(); ++i)
        addObject(positions[i]);
    if (ownFailure)
        std::rethrow_exception(ownFailure);
    return BuildOutcome::Done;
}

void ScriptBuilder::prepareFirstObject() {
    try {
        const std::string& angle = m_form.text(TextField::txtRotationAngle);
        if (m_form.check(CheckBox::chkRotateObjects) == kChecked &&
            checkedFinite(LeadingNumberValue(angle)) != 0)
            m_rotateLine = "rotate " + m_names.path + " (angleaxis " + MaxAngleText(angle) + " [0,0,1])";
        if (m_objScale != 100) {
            const std::string s = PatternText(RoundHalfEven(m_objScale / 100, 8), 1, 8);
            m_scaleLine = m_names.path + ".scale = [" + s + ',' + s + ',' + s + ']';
        }
    } catch (...) {
        m_firstObjectFailure = std::current_exception();
    }
}

void ScriptBuilder::addHeader() {
    std::string& text = m_lines.textBuffer();
    text += "-- Tolvane Enviro Scripter for 3dsMax 3.1,  Version: ";
    text += kVersion;
    endLine();
    text += "-- Script File Name:  ";
    text += MaxCommentText(GetFileNameFromPath(m_ctx.session.ScriptFilePath));
    endLine();
    addLine("");
    addLine("");
    addLine("-- start of script");
    addLine("clearlistener()");
    addLine("");
    addLine("-- perform merge on first object");
    text += "mergeMAXFile \"";
    text += MaxFilePathBody(UpperCase(m_form.text(TextField::txtMaxFile)));
    text += "\" #mergeDups #select #noredraw";
    endLine();
    addLine("");
}

void ScriptBuilder::addFirstObject(std::string_view position) {
    addLine("-- move the first object into position");
    addLine("max move");
    const std::size_t positionLine = m_lines.size();
    m_lines.textBuffer().append(m_names.path).append(".pos = [").append(position);
    m_lines.endLine();
    writeToFile(positionLine);

    // Where the form's rotation or scale fails, it fails after the position line.
    if (m_firstObjectFailure)
        std::rethrow_exception(m_firstObjectFailure);
    if (!m_rotateLine.empty())
        addLine(m_rotateLine);
    if (!m_scaleLine.empty())
        addLine(m_scaleLine);
    addLine("");
    addLine("-- make copies of the original object and move into postion");
    addLine("");
}

void ScriptBuilder::addCopy(std::string_view position) {
    const std::size_t firstNew = m_lines.size();
    AppendCopyLines(m_lines, m_names, m_copyNumber.text(), position);
    writeToFile(firstNew);
}

} // namespace

void SetTwoThreadBuildFromForTesting(std::uint64_t rows) {
    g_twoThreadsFrom = rows;
}

void BuildScript(Context& ctx) {
    MainModel& form = ctx.form;
    // Copies: the handlers that run when the build sets a field must not pull the texts away.
    const std::string number(GetElement(GetElement(form.comboText(), ":", 0), "_", 1));
    if (number.empty()) {
        ctx.platform.showMessage("Invalid Vegetation Number");
        return;
    }
    const std::string name = form.text(TextField::txtMaxObjectName);
    if (!IsWritableMaxName(name)) {
        ctx.platform.showMessage(std::string(kRefusedNameMessage));
        return;
    }

    const std::string previousScriptPath = ctx.session.ScriptFilePath;
    ScriptBuilder builder(ctx, number, name);
    std::optional<Failure> failure;
    try {
        if (builder.run() == BuildOutcome::Cancelled) {
            // A cancelled build leaves the last script as it was, in the list and on disk.
            ctx.session.ScriptFilePath = previousScriptPath;
            return;
        }
    } catch (const Failure& f) {
        failure = f;
    } catch (const std::bad_alloc&) {
        failure = failures::outOfMemory();
    }

    // Finished or failed, List2 now shows what this build produced.
    form.list(ListId::List2).swap(builder.lines());
    builder.lines().clearAndRelease();
    form.listChanged(ListId::List2);
    if (failure)
        ctx.platform.showMessage(UnexpectedErrorMessage("BuildScript", *failure));
}

} // namespace tes
