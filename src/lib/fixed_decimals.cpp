#include "lib/fixed_decimals.h"

#include "lib/numbers.h"
#include "lib/powers_of_ten.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace tes {

namespace {

constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// The decimal exponent of the first significant digit, for 0.001 <= magnitude < 1e9. A power of ten
// below 1 is not exact in binary; when its nearest double lies under it, the guess is one too high
// and the caller's digit count check sends the value the slow way.
int LeadingDigitExponent(double magnitude) {
    if (magnitude < 1)
        return magnitude >= 0.1 ? -1 : magnitude >= 0.01 ? -2 : -3;
    // log10(2) * the binary exponent is the answer or one too small.
    const int binary = static_cast<int>(std::bit_cast<std::uint64_t>(magnitude) >> 52) - 1023;
    int exponent = binary * 1233 >> 12;
    if (exponent < 8 && magnitude >= static_cast<double>(kPowersOfTen[exponent + 1]))
        ++exponent;
    return exponent;
}

#ifdef __SIZEOF_INT128__
__extension__ typedef unsigned __int128 Uint128; // one multiplication instead of four
#endif

// The high half of the 128-bit product.
std::uint64_t MultiplyHigh(std::uint64_t a, std::uint64_t b) {
#ifdef __SIZEOF_INT128__
    return static_cast<std::uint64_t>((static_cast<Uint128>(a) * b) >> 64);
#else
    constexpr std::uint64_t kLow32 = 0xFFFFFFFFu;
    const std::uint64_t aLow = a & kLow32, aHigh = a >> 32, bLow = b & kLow32, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t mid = aHigh * bLow + (lowLow >> 32);
    const std::uint64_t mid2 = aLow * bHigh + (mid & kLow32);
    return aHigh * bHigh + (mid >> 32) + (mid2 >> 32);
#endif
}

// (a * b + 2^(shift - 1)) >> shift for a * b below 2^127 and a result below 2^64.
std::uint64_t MultiplyRoundShift(std::uint64_t a, std::uint64_t b, int shift) {
#ifdef __SIZEOF_INT128__
    const Uint128 product = static_cast<Uint128>(a) * b;
    return static_cast<std::uint64_t>((product + (Uint128{1} << (shift - 1))) >> shift);
#else
    // For compilers without a 128-bit type: the low half is the 64-bit product.
    std::uint64_t high = MultiplyHigh(a, b);
    std::uint64_t low = a * b;
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    low += half;
    if (low < half)
        ++high;
    return (high << (64 - shift)) | (low >> shift);
#endif
}

// Division of a number below 2^50 by 10^k through a multiplication: m = ceil(2^s / 10^k) with
// s = 50 + ceil(log2(10^k)) gives floor(n * m / 2^s) = floor(n / 10^k) for every such n (the
// round-up multiplier of Granlund and Montgomery). A hardware division costs tens of cycles, and
// each coordinate needs one.
struct Reciprocal {
    std::uint64_t multiplier = 0;
    int shift = 0;
};

constexpr std::array<Reciprocal, 18> kTenthReciprocals = [] {
    std::array<Reciprocal, 18> table{};
    for (std::size_t k = 1; k < table.size(); ++k) {
        const std::uint64_t d = kPowersOfTen[k];
        int bits = 0;
        while ((std::uint64_t{1} << bits) < d)
            ++bits;
        const int s = 50 + bits;
        // ceil(2^s / d) without 128-bit numbers: long division of 2^s by d, bit by bit.
        std::uint64_t quotient = 0, remainder = 1;
        for (int i = 0; i < s; ++i) {
            quotient <<= 1;
            remainder <<= 1;
            if (remainder >= d) {
                remainder -= d;
                quotient |= 1;
            }
        }
        table[k] = {quotient + (remainder != 0 ? 1 : 0), s};
    }
    return table;
}();

// digits / 10^k rounded half up, for digits below 2^50 and k from 0 to 17.
inline std::uint64_t DivideRounded(std::uint64_t digits, int k) {
    if (k == 0)
        return digits;
    const Reciprocal& r = kTenthReciprocals[static_cast<std::size_t>(k)];
    const std::uint64_t high = MultiplyHigh(digits, r.multiplier);
    const std::uint64_t low = digits * r.multiplier;
    const std::uint64_t quotient =
        r.shift >= 64 ? high >> (r.shift - 64) : (high << (64 - r.shift)) | (low >> r.shift);
    const std::uint64_t unit = kPowersOfTen[static_cast<std::size_t>(k)];
    const std::uint64_t remainder = digits - quotient * unit;
    return quotient + (remainder * 2 >= unit ? 1 : 0);
}

// Writes a whole number; the usual coordinates have up to four digits before the point.
char* WriteWhole(char* out, std::uint64_t whole) {
    if (whole >= 10000)
        return std::to_chars(out, out + 24, whole).ptr;
    if (whole >= 100) {
        const std::uint64_t high = whole / 100;
        if (high >= 10) {
            std::memcpy(out, &kDigitPairs[2 * high], 2);
            out += 2;
        } else {
            *out++ = static_cast<char>('0' + high);
        }
        std::memcpy(out, &kDigitPairs[2 * (whole % 100)], 2);
        return out + 2;
    }
    if (whole >= 10) {
        std::memcpy(out, &kDigitPairs[2 * whole], 2);
        return out + 2;
    }
    *out = static_cast<char>('0' + whole);
    return out + 1;
}

// Writes the decimal text at `out` when the value lies in the range this way handles exactly; the
// number of decimals is a constant so that the compiler turns every division into a multiplication.
template <int Decimals> bool WriteFast(char*& out, double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-3 && magnitude < 1e9))
        return false;
    // Digits kept by 15 significant digits after the point (6 to 17).
    const int kept = 14 - LeadingDigitExponent(magnitude);
    if (kept < Decimals)
        return false;

    // magnitude = mantissa * 2^-shift exactly (a normal double in this range).
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - static_cast<int>(bits >> 52); // 23 to 62 in this range
    // 15 digits of it, half away from zero, as a whole number.
    const std::uint64_t digits15 = MultiplyRoundShift(mantissa, kPowersOfTen[kept], shift);
    if (digits15 < kPowersOfTen[14] || digits15 > kPowersOfTen[15])
        return false;

    // Then half away from zero at the pattern's last place.
    const std::uint64_t units = DivideRounded(digits15, kept - Decimals);

    if (value < 0 && units != 0)
        *out++ = '-';
    constexpr std::uint64_t scale = kPowersOfTen[Decimals];
    out = WriteWhole(out, units / scale);
    if constexpr (Decimals > 0) {
        *out++ = '.';
        std::uint64_t places = units % scale;
        char* digit = out + Decimals;
        int left = Decimals;
        for (; left >= 2; left -= 2) {
            digit -= 2;
            std::memcpy(digit, &kDigitPairs[2 * (places % 100)], 2);
            places /= 100;
        }
        if (left == 1)
            *--digit = static_cast<char>('0' + places);
        out += Decimals;
    }
    return true;
}

template <int... Decimals>
bool WriteFast(char*& out, double value, int decimals, std::integer_sequence<int, Decimals...>) {
    bool written = false;
    ((decimals == Decimals ? (written = WriteFast<Decimals>(out, value), true) : false) || ...);
    return written;
}

// The scaled value is off its exact digits by less than 1e-5 of a unit (its own rounding error and
// the pattern's 15-digit step), far inside the margin kept around a half. The places come out two at a
// time from one fixed-point number: `places` times 2^32 / 10^(Decimals - first), rounded up, holds the
// first one or two places (as Decimals is odd or even) above its low 32 bits and the rest below, and
// each multiplication by 100 lifts the next pair out, exactly for every `places` below 10^Decimals
// when Decimals is 1 to 6 (tried on all of them).
template <int Decimals> char* WriteShort(char* out, double value) {
    static_assert(Decimals >= 1 && Decimals <= 6);
    constexpr std::uint64_t scale = kPowersOfTen[Decimals];
    // At least one unit, so that a small negative value never comes out as "-0.00".
    constexpr double kLowest = std::max(1.0, 1e-3 * static_cast<double>(scale));
    const double scaled = std::fabs(value) * static_cast<double>(scale);
    if (!(scaled >= kLowest && scaled < 1e10))
        return WriteFixedDecimals(out, value, Decimals);
    const auto whole = static_cast<std::uint64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole);
    if (fraction > 0.499 && fraction < 0.501)
        return WriteFixedDecimals(out, value, Decimals);
    const std::uint64_t units = whole + (fraction > 0.5 ? 1 : 0);
    const std::uint64_t wholePart = units / scale;
    if (value < 0)
        *out++ = '-';
    out = WriteWhole(out, wholePart);
    *out++ = '.';
    constexpr std::uint64_t kLow32 = 0xFFFFFFFFu;
    constexpr int kFirst = Decimals % 2 ? 1 : 2;
    std::uint64_t pairs = (units - wholePart * scale) * ((kLow32 + 1) / kPowersOfTen[Decimals - kFirst] + 1);
    if constexpr (kFirst == 1)
        *out = static_cast<char>('0' + (pairs >> 32));
    else
        std::memcpy(out, &kDigitPairs[2 * (pairs >> 32)], 2);
    for (int i = kFirst; i < Decimals; i += 2) {
        pairs = (pairs & kLow32) * 100;
        std::memcpy(out + i, &kDigitPairs[2 * (pairs >> 32)], 2);
    }
    return out + Decimals;
}

} // namespace

char* WriteShortFixedDecimals(char* out, double value, int decimals) {
    switch (decimals) {
    case 1:
        return WriteShort<1>(out, value);
    case 2:
        return WriteShort<2>(out, value);
    case 3:
        return WriteShort<3>(out, value);
    case 4:
        return WriteShort<4>(out, value);
    case 5:
        return WriteShort<5>(out, value);
    case 6:
        return WriteShort<6>(out, value);
    default:
        return WriteFixedDecimals(out, value, decimals);
    }
}

char* WriteFixedDecimals(char* out, double value, int decimals) {
    if (value == 0 && decimals >= 0 && decimals <= 8) {
        *out++ = '0';
        if (decimals > 0) {
            *out++ = '.';
            out = std::fill_n(out, decimals, '0');
        }
        return out;
    }
    // Six places, the coordinates', first: the script writes three for every object.
    if (decimals == 6 ? WriteFast<6>(out, value)
                      : WriteFast(out, value, decimals, std::make_integer_sequence<int, 9>()))
        return out;
    const std::string text = PatternText(value, 1, decimals);
    return std::copy(text.begin(), text.end(), out);
}

} // namespace tes
