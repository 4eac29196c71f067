#include "core/script_writer.h"

#include "core/context.h"
#include "core/copy_lines.h"
#include "core/copy_lines_worker.h"
#include "core/failure_message.h"
#include "core/maxscript_literals.h"
#include "core/progress_scope.h"
#include "core/record_position.h"
#include "core/script_numbers.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/numbers.h"
#include "lib/streamed_text_writer.h"
#include "lib/text_codec.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace tes {

namespace {

constexpr std::uint64_t kProgressStep = 65536;
// After this many records the script's size is estimated and room reserved for it.
constexpr std::uint64_t kEstimateAfter = 4 * kProgressStep;

// Lists of at least this many rows are built on two threads.
std::uint64_t g_twoThreadsFrom = 500000;
// The share of the rows the builder's own thread takes when a worker takes the rest: besides its
// share, it writes every line (see the measurements in docs/performance.md).
constexpr double kOwnShare = 0.45;

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

char* Put(char* out, std::string_view text) {
    return std::copy(text.begin(), text.end(), out);
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
    // Adds the objects of the worker's rows, in their order; false when the user cancels.
    bool addWorkersObjects(CopyLinesWorker& worker, ProgressScope& progress, std::uint64_t before,
                           std::uint64_t count);
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
    // The record lines are composed in one reused buffer and appended in one piece.
    void addComposed(const char* end) {
        const std::string_view line(m_scratch.data(), static_cast<std::size_t>(end - m_scratch.data()));
        m_lines.textBuffer().append(line);
        m_lines.endLine();
        if (m_file) {
            if (m_recordLinesAscii)
                m_file->writeAsciiLine(line);
            else
                m_file->writeLine(line);
        }
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
    std::vector<char> m_scratch;
    double m_objScale = 0;
    LineList m_lines;
    CopyNumber m_copyNumber;
    bool m_first = true;
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
    m_scratch.resize(
        std::max(m_names.copyHead.size(), m_names.copyPathHead.size() + m_names.copyPathTail.size()) + 32 +
        3 * kMaxFixedDecimalsText);

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

    // A long list: a worker takes the rows after this builder's share.
    std::uint64_t own = count;
    std::unique_ptr<CopyLinesWorker> worker;
    if (count >= g_twoThreadsFrom && std::thread::hardware_concurrency() > 1) {
        own = static_cast<std::uint64_t>(static_cast<double>(count) * kOwnShare);
        try {
            worker = std::make_unique<CopyLinesWorker>(rule, m_names, records, own, count);
        } catch (const std::system_error&) {
            own = count; // no thread to give: all on this one
        }
    }
    const auto rowsDone = [&](std::uint64_t ownRows) { return ownRows + (worker ? worker->rowsDone() : 0); };

    std::array<char, kMaxPositionText> position{};
    // The rows straight from the list's text and line ends: most are skipped after a byte or two.
    const char* const rowText = records.text().data();
    const char* const rowTextEnd = rowText + records.textBytes();
    const std::span<const std::uint64_t> rowEnds = records.ends();
    std::uint64_t rowBegin = 0;
    for (std::uint64_t i = 0; i < own; ++i) {
        if (i % kProgressStep == 0) {
            if (!progress.report(rowsDone(i), count))
                return BuildOutcome::Cancelled;
            if (i == kEstimateAfter && own > 2 * i)
                m_lines.reserveScaled(1.1 * static_cast<double>(count) / static_cast<double>(i));
        }
        const std::string_view entry(rowText + rowBegin, rowEnds[i] - rowBegin);
        rowBegin = rowEnds[i];
        if (!rule.matches(entry))
            continue;
        const char* const end = rule.writePosition(position.data(), entry, rowTextEnd);
        addObject(std::string_view(position.data(), static_cast<std::size_t>(end - position.data())));
    }
    if (worker && !addWorkersObjects(*worker, progress, own, count))
        return BuildOutcome::Cancelled;

    if (m_file) {
        // The last chunks are still on their way to the disk.
        if (!progress.report(count, count))
            return BuildOutcome::Cancelled;
        m_file->commit();
    }
    return BuildOutcome::Done;
}

bool ScriptBuilder::addWorkersObjects(CopyLinesWorker& worker, ProgressScope& progress, std::uint64_t before,
                                      std::uint64_t count) {
    while (!worker.finished()) {
        if (!progress.report(before + worker.rowsDone(), count))
            return false; // the worker stops when it is destroyed
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    worker.wait();
    if (worker.firstPosition())
        addObject(*worker.firstPosition());
    const std::size_t firstNew = m_lines.size();
    m_lines.append(worker.lines());
    writeToFile(firstNew);
    // A record the worker could not place ends the build there, as in one pass.
    if (worker.failure())
        std::rethrow_exception(worker.failure());
    return true;
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
    char* out = Put(m_scratch.data(), m_names.path);
    out = Put(out, ".pos = [");
    addComposed(Put(out, position));

    std::string& text = m_lines.textBuffer();
    const std::string& angle = m_form.text(TextField::txtRotationAngle);
    if (m_form.check(CheckBox::chkRotateObjects) == kChecked &&
        checkedFinite(LeadingNumberValue(angle)) != 0) {
        text += "rotate ";
        text += m_names.path;
        text += " (angleaxis ";
        text += MaxAngleText(angle);
        text += " [0,0,1])";
        endLine();
    }
    if (m_objScale != 100) {
        const std::string s = PatternText(RoundHalfEven(m_objScale / 100, 8), 1, 8);
        text += m_names.path;
        text += ".scale = [";
        text += s;
        text += ',';
        text += s;
        text += ',';
        text += s;
        text += ']';
        endLine();
    }
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
