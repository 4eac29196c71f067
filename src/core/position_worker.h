#pragma once

#include "core/line_list.h"
#include "core/record_position.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <thread>

namespace tes {

// Works out the positions of the matching records in rows [begin, end) of a list on a thread of its
// own, while the script writer handles the rows before them: reading and writing the numbers is most
// of a build's work. The positions collect in order, one line each; a failure stops the work at its
// record, so the positions before it are those a build in one pass would have written.
class PositionWorker {
public:
    // Starts the thread; throws std::system_error when the system has none to give. The rule (and
    // the texts it views) and the list must stay unchanged until the worker is finished.
    PositionWorker(const PositionRule& rule, const LineList& records, std::uint64_t begin, std::uint64_t end);
    // Stops the work if it still runs.
    ~PositionWorker();
    PositionWorker(const PositionWorker&) = delete;
    PositionWorker& operator=(const PositionWorker&) = delete;

    // Rows looked at so far; may be read while the thread runs.
    std::uint64_t rowsDone() const { return m_rowsDone.load(std::memory_order_relaxed); }
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // Asks the thread to stop at its next step and waits for it.
    void cancel();
    // Waits for the thread; then positions() and failure() may be read.
    void wait();

    const LineList& positions() const { return m_positions; }
    // What stopped the work early, or null.
    std::exception_ptr failure() const { return m_failure; }

private:
    void work(std::uint64_t begin, std::uint64_t end);

    const PositionRule m_rule;
    const LineList& m_records;
    LineList m_positions;
    std::exception_ptr m_failure;
    std::atomic<std::uint64_t> m_rowsDone{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

} // namespace tes
