#pragma once

#include <cstdint>
#include <vector>

namespace tes {

// The rows of a record list a build takes, a bit each: a row left out is passed over without its text
// being read. Two threads may mark rows at once when each marks its own words (stretches starting at a
// multiple of 64).
class ChosenRows {
public:
    ChosenRows() = default;
    explicit ChosenRows(std::uint64_t rows) : m_words((rows + 63) / 64, 0) {}

    bool has(std::uint64_t row) const { return m_words[row / 64] >> (row % 64) & 1; }
    void take(std::uint64_t row) { m_words[row / 64] |= std::uint64_t(1) << (row % 64); }

private:
    std::vector<std::uint64_t> m_words;
};

} // namespace tes
