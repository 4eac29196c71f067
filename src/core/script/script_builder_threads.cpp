#include "core/script/script_builder.h"

#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

namespace tes {

template <typename Report>
bool ScriptBuilder::addPositions(std::uint64_t begin, LineList& positions, Report report) {
    const std::uint64_t count = m_records->size();
    std::array<char, kMaxVariedPlantText> scratch{};
    return ForEachMatchingRow(
        m_rule, *m_records, m_chosen, begin, count, kProgressStep,
        [&](std::uint64_t row) {
            if (row - begin == kEstimateAfter && count - begin > 2 * kEstimateAfter)
                positions.reserveScaled(1.1 * static_cast<double>(count - begin) / kEstimateAfter);
            return report(row);
        },
        [&](std::string_view entry) {
            const char* const last = writeItem(scratch.data(), entry);
            positions.append(
                std::string_view(scratch.data(), static_cast<std::size_t>(last - scratch.data())));
        });
}

// A long list is built on two threads: a worker runs the builder's own row loop over the first rows,
// into the script and the file, while this thread works out the positions (and the plants' looks) of
// the later rows and reports progress; then this thread adds those objects. The script, the place of a
// failure and a cancel are those of one pass.
std::optional<RunOutcome> ScriptBuilder::buildOnTwoThreads(std::uint64_t split, ProgressScope& progress) {
    const std::uint64_t count = m_records->size();
    std::atomic<std::uint64_t> workerRows{0};
    std::atomic<bool> workerDone{false};
    std::exception_ptr workerFailure;
    // Until it is joined the worker alone adds lines and writes the file; its destructor stops it.
    std::jthread worker;
    try {
        worker = std::jthread([&](std::stop_token stop) {
            try {
                addRows(0, split, [&](std::uint64_t row) {
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
        cancelled = !addPositions(split, positions, [&](std::uint64_t row) { return report(row - split); });
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
        return RunOutcome::Cancelled; // the worker is stopped and joined on the way out
    worker.join();

    // The objects in their order, and a failure where one pass would have met it.
    if (workerFailure)
        std::rethrow_exception(workerFailure);
    for (std::size_t i = 0; i < positions.size(); ++i)
        addItem(positions[i]);
    if (ownFailure)
        std::rethrow_exception(ownFailure);
    return RunOutcome::Done;
}

} // namespace tes
