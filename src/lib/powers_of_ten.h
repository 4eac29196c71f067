#pragma once

#include <array>
#include <cstdint>

namespace tes {

// 10^0 to 10^19, every power of ten a 64-bit unsigned number holds. Up to 10^15 they are exact
// doubles too, so a number of up to 15 digits over one of them rounds correctly in one division.
inline constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * 10;
    return powers;
}();

} // namespace tes
