#pragma once

#include "core/copy_lines.h"
#include "core/line_list.h"
#include "core/record_position.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <thread>

namespace tes {

// Writes the lines of the objects of rows [begin, end) of a list on a thread of its own, while the
// script writer handles the rows before them: the records' numbers and the lines' text are most of a
// build's work. The copies are numbered after the matching rows before `begin`, so the lines are those
// a build in one pass writes for these rows; a failure stops the work at its record.
class CopyLinesWorker {
public:
    // Starts the thread; throws std::system_error when the system has none to give. The rule (and
    // the texts it views), the names and the list must stay unchanged until the worker is finished.
    CopyLinesWorker(const PositionRule& rule, const ObjectNames& names, const LineList& records,
                    std::uint64_t begin, std::uint64_t end);
    // Stops the work if it still runs.
    ~CopyLinesWorker();
    CopyLinesWorker(const CopyLinesWorker&) = delete;
    CopyLinesWorker& operator=(const CopyLinesWorker&) = delete;

    // Rows looked at so far; may be read while the thread runs.
    std::uint64_t rowsDone() const { return m_rowsDone.load(std::memory_order_relaxed); }
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // Waits for the thread; then the results below may be read.
    void wait();

    // When no row before `begin` matches, the first match is the first object, which is not a copy:
    // its position ("X,Y,Z]"), for the script writer to place.
    const std::optional<std::string>& firstPosition() const { return m_firstPosition; }
    // The lines of the copies, in order.
    const LineList& lines() const { return m_lines; }
    // What stopped the work early, or null.
    std::exception_ptr failure() const { return m_failure; }

private:
    void work(std::uint64_t begin, std::uint64_t end);

    const PositionRule m_rule;
    const ObjectNames& m_names;
    const LineList& m_records;
    std::optional<std::string> m_firstPosition;
    LineList m_lines;
    std::exception_ptr m_failure;
    std::atomic<std::uint64_t> m_rowsDone{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

} // namespace tes
