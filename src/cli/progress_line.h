#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace tes::cli {

// A one-line progress report on a terminal: shown only once the work has run for over a second, so
// short runs and pipelines see nothing, and rewritten in place with a carriage return.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    ProgressLine(std::ostream& out, bool isTerminal, std::function<Clock::time_point()> now = Clock::now);

    // Work may nest (every script of a batch); the innermost label is the one shown, and the end of
    // any part wipes the line, so results printed after it start on a clean line.
    void begin(const std::string& label);
    void report(unsigned long long done, unsigned long long total);
    void end();
    // Wipes a shown line so that other text can be written on a clean line.
    void clear();

private:
    std::ostream& m_out;
    bool m_isTerminal;
    std::function<Clock::time_point()> m_now;
    std::vector<std::string> m_labels;
    Clock::time_point m_started;
    Clock::time_point m_lastDrawn;
    std::size_t m_shownLength = 0;
};

} // namespace tes::cli
