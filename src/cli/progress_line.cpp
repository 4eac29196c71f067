#include "cli/progress_line.h"

#include <utility>

namespace tes::cli {

namespace {

constexpr auto kQuietPeriod = std::chrono::seconds(1);
// Redrawing more often than this only makes the terminal flicker.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

} // namespace

ProgressLine::ProgressLine(std::ostream& out, bool isTerminal, std::function<Clock::time_point()> now)
    : m_out(out), m_isTerminal(isTerminal), m_now(std::move(now)) {}

void ProgressLine::begin(const std::string& label) {
    if (m_labels.empty())
        m_started = m_now();
    m_labels.push_back(label);
}

void ProgressLine::report(unsigned long long done, unsigned long long total) {
    if (!m_isTerminal || m_labels.empty())
        return;
    const Clock::time_point now = m_now();
    if (now - m_started <= kQuietPeriod)
        return;
    if (m_shownLength > 0 && now - m_lastDrawn < kRedrawInterval)
        return;
    m_lastDrawn = now;

    std::string text = m_labels.back();
    if (total > 0) {
        const unsigned long long percent = done >= total ? 100 : done * 100 / total;
        text += " " + std::to_string(percent) + "%";
    }
    std::string line = "\r" + text;
    // Blank out what is left of a longer earlier text.
    if (text.size() < m_shownLength)
        line += std::string(m_shownLength - text.size(), ' ');
    m_out << line << std::flush;
    m_shownLength = text.size();
}

void ProgressLine::end() {
    if (!m_labels.empty())
        m_labels.pop_back();
    // The finished part's label is stale; the next report of the outer work draws its own.
    clear();
}

void ProgressLine::clear() {
    if (m_shownLength == 0)
        return;
    m_out << '\r' << std::string(m_shownLength, ' ') << '\r' << std::flush;
    m_shownLength = 0;
}

} // namespace tes::cli
