#include "core/position_worker.h"

#include <array>
#include <string_view>

namespace tes {

namespace {
// Rows between two looks at the stop request and two updates of the count.
constexpr std::uint64_t kStep = 16384;
} // namespace

PositionWorker::PositionWorker(const PositionRule& rule, const LineList& records, std::uint64_t begin,
                               std::uint64_t end)
    : m_rule(rule), m_records(records) {
    m_thread = std::thread([this, begin, end] { work(begin, end); });
}

PositionWorker::~PositionWorker() {
    cancel();
}

void PositionWorker::cancel() {
    m_stop.store(true, std::memory_order_relaxed);
    wait();
}

void PositionWorker::wait() {
    if (m_thread.joinable())
        m_thread.join();
}

void PositionWorker::work(std::uint64_t begin, std::uint64_t end) {
    try {
        const char* const text = m_records.text().data();
        const char* const textEnd = text + m_records.textBytes();
        const auto ends = m_records.ends();
        std::array<char, kMaxPositionText> scratch{};
        std::uint64_t rowBegin = begin == 0 ? 0 : ends[begin - 1];
        for (std::uint64_t i = begin; i < end; ++i) {
            if ((i - begin) % kStep == 0) {
                if (m_stop.load(std::memory_order_relaxed))
                    break;
                m_rowsDone.store(i - begin, std::memory_order_relaxed);
            }
            const std::string_view entry(text + rowBegin, ends[i] - rowBegin);
            rowBegin = ends[i];
            if (!m_rule.matches(entry))
                continue;
            const char* const last = m_rule.writePosition(scratch.data(), entry, textEnd);
            m_positions.append(
                std::string_view(scratch.data(), static_cast<std::size_t>(last - scratch.data())));
        }
        m_rowsDone.store(end - begin, std::memory_order_relaxed);
    } catch (...) {
        m_failure = std::current_exception();
    }
    m_finished.store(true, std::memory_order_release);
}

} // namespace tes
