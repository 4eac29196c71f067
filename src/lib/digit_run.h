#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Runs of decimal digits read eight bytes at a time. The number fields of an environment file are
// short runs of digits ("1234.567890"); looking at them a byte at a time costs several instructions
// per digit, on millions of lines.
namespace tes::digits {

inline constexpr std::uint64_t kOnes = 0x0101010101010101u;

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number of digits at the start of the eight bytes (0 to 8), first byte lowest.
inline int LeadingDigits(std::uint64_t word) {
    // The top bit of a byte is set by adding 0x46 when the byte is above '9', by subtracting '0' when
    // it is below '0', and is there already in bytes from 0x80. Carries and borrows start only at such
    // bytes and run towards later ones, so the first byte that is no digit is always marked.
    const std::uint64_t marks = ((word + kOnes * 0x46) | (word - kOnes * '0') | word) & (kOnes * 0x80);
    return marks == 0 ? 8 : std::countr_zero(marks) / 8;
}

// The value of the first `count` (1 to 8) bytes of `word`, all digits.
inline std::uint64_t DigitsValue(std::uint64_t word, int count) {
    // Dropping the bytes after the run and pushing it to the top leaves leading zero digits.
    word = (word - kOnes * '0') << (8 * (8 - count));
    word = (word * 10 + (word >> 8)) & 0x00FF00FF00FF00FFu;
    word = (word * 100 + (word >> 16)) & 0x0000FFFF0000FFFFu;
    return (word * 10000 + (word >> 32)) & 0xFFFFFFFFu;
}

// Reads the digits from `p` on, at most eight and none at or after `end`, and moves `p` past them;
// `value` gets their value. Returns their number. The text must lie in a padded buffer
// (lib/read_padding.h): the eight bytes from `p` on are looked at even when `end` comes sooner.
inline int TakeDigits(const char*& p, const char* end, std::uint64_t& value) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        int count = LeadingDigits(word);
        if (end - p < count)
            count = static_cast<int>(end - p);
        value = count == 0 ? 0 : DigitsValue(word, count);
        p += count;
        return count;
    } else {
        int count = 0;
        value = 0;
        for (; count < 8 && p != end && IsDigit(*p); ++p, ++count)
            value = value * 10 + static_cast<std::uint64_t>(*p - '0');
        return count;
    }
}

// Moves `p` past the digits from `p` on, at most eight and none at or after `end`, and returns their
// number; as TakeDigits without working out their value.
inline int SkipDigits(const char*& p, const char* end) {
    int count = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        count = LeadingDigits(word);
        if (end - p < count)
            count = static_cast<int>(end - p);
    } else {
        while (count < 8 && p + count != end && IsDigit(p[count]))
            ++count;
    }
    p += count;
    return count;
}

} // namespace tes::digits
