#include "core/copy_lines_worker.h"

#include <array>
#include <string_view>

namespace tes {

namespace {
// Rows between two looks at the stop request and two updates of the count.
constexpr std::uint64_t kStep = 16384;
// After this many rows the lines' size is estimated and room reserved for them.
constexpr std::uint64_t kEstimateAfter = 16 * kStep;
} // namespace

CopyLinesWorker::CopyLinesWorker(const PositionRule& rule, const ObjectNames& names, const LineList& records,
                                 std::uint64_t begin, std::uint64_t end)
    : m_rule(rule), m_names(names), m_records(records) {
    m_thread = std::thread([this, begin, end] { work(begin, end); });
}

CopyLinesWorker::~CopyLinesWorker() {
    m_stop.store(true, std::memory_order_relaxed);
    wait();
}

void CopyLinesWorker::wait() {
    if (m_thread.joinable())
        m_thread.join();
}

void CopyLinesWorker::work(std::uint64_t begin, std::uint64_t end) {
    try {
        const char* const text = m_records.text().data();
        const char* const textEnd = text + m_records.textBytes();
        const auto ends = m_records.ends();
        const auto entry = [&](std::uint64_t row) {
            const std::uint64_t rowBegin = row == 0 ? 0 : ends[row - 1];
            return std::string_view(text + rowBegin, ends[row] - rowBegin);
        };

        // The copies go on from the number the rows before ours reach.
        std::uint64_t before = 0;
        for (std::uint64_t i = 0; i < begin; ++i) {
            if (m_rule.matches(entry(i)))
                ++before;
        }
        CopyNumber copyNumber(before);

        std::array<char, kMaxPositionText> scratch{};
        for (std::uint64_t i = begin; i < end; ++i) {
            if ((i - begin) % kStep == 0) {
                if (m_stop.load(std::memory_order_relaxed))
                    break;
                m_rowsDone.store(i - begin, std::memory_order_relaxed);
                if (i - begin == kEstimateAfter && end - begin > 2 * kEstimateAfter)
                    m_lines.reserveScaled(1.1 * static_cast<double>(end - begin) / kEstimateAfter);
            }
            const std::string_view row = entry(i);
            if (!m_rule.matches(row))
                continue;
            const char* const last = m_rule.writePosition(scratch.data(), row, textEnd);
            const std::string_view position(scratch.data(), static_cast<std::size_t>(last - scratch.data()));
            if (before == 0 && !m_firstPosition)
                m_firstPosition.emplace(position);
            else
                AppendCopyLines(m_lines, m_names, copyNumber.text(), position);
            copyNumber.increment();
        }
        m_rowsDone.store(end - begin, std::memory_order_relaxed);
    } catch (...) {
        m_failure = std::current_exception();
    }
    m_finished.store(true, std::memory_order_release);
}

} // namespace tes
