#include "core/script/script_builder.h"

#include "core/script/maxscript_literals.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/numbers.h"
#include "lib/plain_decimal.h"
#include "lib/prefault.h"
#include "lib/text_codec.h"
#include "lib/version.h"

#include <thread>

namespace tes {

namespace {

// The share of the rows a worker builds when this thread works out the positions of the rest: this
// thread then still writes the lines of its rows (see the measurements in docs/performance.md).
constexpr double kWorkerShare = 0.4;
// Plants that differ cost this thread more a row (the look's hash and text) against what adding a line
// costs, so the worker takes a larger share to finish with it.
constexpr double kVariedWorkerShare = 0.5;

} // namespace

ScriptBuilder::ScriptBuilder(ScriptSetup setup) : m_setup(std::move(setup)), m_looks(m_setup.variation) {
    m_rule.number = m_setup.number;
    m_rule.H = m_setup.middle;
    m_rule.vScale = m_setup.verticalScale;
    m_rule.vOffset = m_setup.verticalOffset;
    m_rule.objScale = m_setup.objectScale;
    m_names = MakeObjectNames(m_setup.objectName, m_setup.style.instances);
    m_fast = m_setup.style.shape == ScriptShape::Fast;
    m_varied = m_fast && m_setup.variation.any();
    if (m_fast) {
        m_fastNames.layer = MaxStringBody(GetBaseFileName(m_setup.scriptPath));
        m_fastNames.mergePath = MaxFilePathBody(UpperCase(m_setup.maxFile));
        m_fastNames.objectName = MaxStringBody(m_setup.objectName);
        m_fastNames.instances = m_setup.style.instances;
        m_fastNames.stand = m_setup.stand;
    }
    m_recordLinesAscii = IsAscii(m_names.copyHead) && IsAscii(m_names.copyPathHead) &&
                         IsAscii(m_names.copyPathTail) && IsAscii(m_names.path);
}

RunOutcome ScriptBuilder::run(const LineList& records, Progress& progress, const ChosenRows* chosen) {
    if (m_setup.save)
        m_file = std::make_unique<StreamedTextWriter>(m_setup.scriptPath, m_setup.fileByteLimit,
                                                      m_setup.style.utf8
                                                          ? StreamedTextWriter::Encoding::Utf8WithBom
                                                          : StreamedTextWriter::Encoding::Windows1252);
    // Plants that differ each take the kind's own turn and scale from the object they are cloned from,
    // whose lines are in the header.
    if (m_varied)
        prepareFirstObject();
    addHeader();

    const std::uint64_t count = records.size();
    ProgressScope shown(progress,
                        (m_setup.save ? "Writing " : "Building ") + GetFileNameFromPath(m_setup.scriptPath));
    m_records = &records;
    m_chosen = chosen;
    if (!m_varied)
        prepareFirstObject();

    // A long list goes on two threads.
    std::optional<RunOutcome> outcome;
    if (count >= m_setup.twoThreadsFrom && std::thread::hardware_concurrency() > 1)
        outcome =
            buildOnTwoThreads(static_cast<std::uint64_t>(static_cast<double>(count) *
                                                         (m_varied ? kVariedWorkerShare : kWorkerShare)),
                              shown);
    if (!outcome) {
        const bool done = addRows(0, count, [&](std::uint64_t row) {
            estimateAt(row, count);
            return shown.report(row, count);
        });
        outcome = done ? RunOutcome::Done : RunOutcome::Cancelled;
    }
    if (outcome == RunOutcome::Cancelled)
        return RunOutcome::Cancelled;
    finish();

    if (m_file) {
        // The last chunks are still on their way to the disk.
        if (!shown.report(count, count))
            return RunOutcome::Cancelled;
        m_file->commit();
    }
    return RunOutcome::Done;
}

void ScriptBuilder::estimateAt(std::uint64_t row, std::uint64_t count) {
    if (row == kEstimateAfter && count > 2 * row) {
        m_lines.reserveScaled(1.1 * static_cast<double>(count) / static_cast<double>(row));
        const std::lock_guard lock(m_roomMutex);
        m_textRoom = m_lines.textRoom();
        m_endsRoom = m_lines.endsRoom();
    }
}

void ScriptBuilder::prefaultRoom() {
    const std::lock_guard lock(m_roomMutex);
    PrefaultForWriting(m_textRoom.data(), m_textRoom.size());
    PrefaultForWriting(m_endsRoom.data(), m_endsRoom.size_bytes());
}

void ScriptBuilder::writeToFile(std::size_t firstLine) {
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

void ScriptBuilder::prepareFirstObject() {
    try {
        // The classic script names the object by its pathname, the fast one holds it in a variable.
        const std::string target = m_fast ? "src" : m_names.path;
        const TypedNumber& angle = m_setup.rotationAngle;
        if (m_setup.rotate && checkedFinite(angle.value()) != 0)
            m_rotateLine = "rotate " + target + " (angleaxis " + MaxAngleText(angle.text()) + " [0,0,1])";
        if (m_setup.objectScale != 100) {
            const std::string s = PatternText(RoundHalfEven(m_setup.objectScale / 100, 8), 1, 8);
            m_scaleLine = target + ".scale = [" + s + ',' + s + ',' + s + ']';
        }
    } catch (...) {
        m_firstObjectFailure = std::current_exception();
    }
}

void ScriptBuilder::addHeader() {
    // The fast shape uses what 3ds Max 2011 brought (the merge's mergedNodes); the classic one runs
    // anywhere and keeps its words.
    m_lines.appendText({m_fast ? "-- Tolvane Enviro Scripter for 3ds Max 2011 and later,  Version: "
                               : "-- Tolvane Enviro Scripter for 3dsMax 3.1,  Version: ",
                        kVersion});
    endLine();
    m_lines.appendText({"-- Script File Name:  ", MaxCommentText(GetFileNameFromPath(m_setup.scriptPath))});
    endLine();
    addLine("");
    addLine("");
    addLine("-- start of script");
    // Each fast script says in the Listener what it placed, so scripts joined into one leave a line
    // each: none of them clears the Listener.
    if (!m_fast)
        addLine("clearlistener()");
    addLine("");
    if (m_setup.noPlants && m_fast) {
        for (const std::string& line : EmptyFastScript(m_fastNames))
            addLine(line);
        return;
    }
    if (m_setup.noPlants)
        return;
    if (m_varied) {
        if (m_firstObjectFailure)
            std::rethrow_exception(m_firstObjectFailure);
        std::vector<std::string> turnAndScale;
        for (const std::string* line : {&m_rotateLine, &m_scaleLine})
            if (!line->empty())
                turnAndScale.push_back(*line);
        for (const std::string& line : VariedFastPreamble(m_fastNames, m_setup.sources, turnAndScale))
            addLine(line);
        return;
    }
    if (m_fast) {
        for (const std::string& line : FastPreamble(m_fastNames))
            addLine(line);
        return;
    }
    addLine("-- perform merge on first object");
    m_lines.appendText(
        {"mergeMAXFile \"", MaxFilePathBody(UpperCase(m_setup.maxFile)), "\" #mergeDups #select #noredraw"});
    endLine();
    addLine("");
}

void ScriptBuilder::addFirstObject(std::string_view position) {
    if (m_fast) {
        m_lines.appendText({kFastFirstPosition, position});
        endLine();
        addFirstObjectTurnAndScale();
        return;
    }
    addLine("-- move the first object into position");
    addLine("max move");
    const std::size_t positionLine = m_lines.size();
    m_lines.appendText({m_names.path, ".pos = [", position});
    m_lines.endLine();
    writeToFile(positionLine);
    addFirstObjectTurnAndScale();
    addLine("");
    addLine("-- make copies of the original object and move into postion");
    addLine("");
}

void ScriptBuilder::addFirstObjectTurnAndScale() {
    // Where the rotation or scale fails, it fails after the position line.
    if (m_firstObjectFailure)
        std::rethrow_exception(m_firstObjectFailure);
    if (!m_rotateLine.empty())
        addLine(m_rotateLine);
    if (!m_scaleLine.empty())
        addLine(m_scaleLine);
}

void ScriptBuilder::addFastPoint(std::string_view position) {
    addFastItem("[", position);
}

void ScriptBuilder::addFastItem(std::string_view head, std::string_view tail) {
    if (m_pointOpen) {
        m_lines.appendChar(',');
        endLine();
    } else {
        addLine(kFastOpenPoints);
    }
    m_lines.appendText({head, tail});
    m_pointOpen = true;
    if (++m_pointsInArray == kFastPointsPerArray)
        closeFastPoints();
}

void ScriptBuilder::closeFastPoints() {
    if (!m_pointOpen)
        return;
    endLine();
    addLine(kFastClosePoints);
    m_pointOpen = false;
    m_pointsInArray = 0;
}

void ScriptBuilder::finish() {
    if (!m_fast || m_setup.noPlants)
        return;
    closeFastPoints();
    const bool lighter = m_setup.variation.detailed();
    for (const std::string& line :
         m_varied ? VariedFastLoopAndEnd(m_fastNames, lighter) : FastLoopAndEnd(m_fastNames))
        addLine(line);
}

char* ScriptBuilder::writeVariedPlant(char* out, std::string_view entry) const {
    double xz[2];
    const ScenePoint point = m_rule.placeRecord(entry, xz);
    // The look first: its long chain of arithmetic then runs while the position's digits are written.
    const PlantLook look = m_looks(xz[0], xz[1], point.X, point.Y);
    *out++ = '[';
    out = WritePoint(out, point);
    *out++ = ',';
    return WritePlantLook(out, look);
}

void ScriptBuilder::addCopy(std::string_view position) {
    const std::size_t firstNew = m_lines.size();
    AppendCopyLines(m_lines, m_names, m_copyNumber.text(), position);
    writeToFile(firstNew);
}

} // namespace tes
