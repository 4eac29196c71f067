#include "lib/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

// Writing numbers as text: the decimal text and the patterns, both from the value's first 15
// significant digits.
namespace tes {

namespace {

// A finite value taken to 15 significant digits: digits without trailing zeros, the decimal
// exponent of the first digit, the sign. Zero has the digits "0".
struct Decimal15 {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

int ParseExponent(const char* from, const char* to) {
    int exponent = 0;
    std::from_chars(*from == '+' ? from + 1 : from, to, exponent);
    return exponent;
}

// The digits of a scientific to_chars text "d.ddde+XX" and its exponent.
void SplitScientific(const char* begin, const char* end, std::string& digits, int& exponent) {
    digits.clear();
    const char* p = begin;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.')
            digits.push_back(*p);
    }
    exponent = p == end ? 0 : ParseExponent(p + 1, end);
}

// Adds one to the last digit, carrying; returns true when the carry ran out of digits ("99" -> "00").
bool IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

void DropTrailingZeros(std::string& digits) {
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

Decimal15 ToDecimal15(double value) {
    Decimal15 d;
    d.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0) {
        d.digits.assign(1, '0');
        return d;
    }
    std::array<char, 64> buffer{};
    auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                           std::chars_format::scientific, 14);
    SplitScientific(buffer.data(), r.ptr, d.digits, d.exponent);

    // A value lying exactly half-way at the 16th digit rounds away from zero, as the classic
    // conversion does (to_chars would round it to even).
    std::string sixteen;
    int exponent16 = 0;
    r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific,
                      15);
    SplitScientific(buffer.data(), r.ptr, sixteen, exponent16);
    if (sixteen.back() == '5') {
        std::array<char, 800> exact{}; // every double's exact expansion fits in 767 digits
        r = std::to_chars(exact.data(), exact.data() + exact.size(), magnitude, std::chars_format::scientific,
                          766);
        std::string all;
        int exponentAll = 0;
        SplitScientific(exact.data(), r.ptr, all, exponentAll);
        if (all.size() > 15 && all[15] == '5' && all.find_first_not_of('0', 16) == std::string::npos) {
            d.digits = sixteen.substr(0, 15);
            d.exponent = exponent16;
            if (IncrementDigits(d.digits)) {
                d.digits.insert(d.digits.begin(), '1');
                d.digits.pop_back();
                ++d.exponent;
            }
        }
    }
    DropTrailingZeros(d.digits);
    return d;
}

std::string NonFiniteText(double value) {
    if (std::isnan(value))
        return "NaN";
    return value < 0 ? "-Infinity" : "Infinity";
}

} // namespace

std::string DecimalText(double value) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    const Decimal15 d = ToDecimal15(value);
    if (d.digits == "0")
        return "0";
    const int k = static_cast<int>(d.digits.size());
    const int e = d.exponent;
    const bool fixed = (e >= -4 && e <= 14) || (e < -4 && -e + std::max(k - 2, 0) < 15);

    std::string out;
    if (d.negative)
        out.push_back('-');
    if (!fixed) {
        out.push_back(d.digits[0]);
        if (k > 1) {
            out.push_back('.');
            out.append(d.digits, 1);
        }
        out.push_back('E');
        out.push_back(e < 0 ? '-' : '+');
        const int absExponent = std::abs(e);
        if (absExponent < 10)
            out.push_back('0');
        out += std::to_string(absExponent);
    } else if (e < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-e - 1), '0');
        out += d.digits;
    } else if (k <= e + 1) {
        out += d.digits;
        out.append(static_cast<std::size_t>(e + 1 - k), '0');
    } else {
        out.append(d.digits, 0, static_cast<std::size_t>(e + 1));
        out.push_back('.');
        out.append(d.digits, static_cast<std::size_t>(e + 1));
    }
    return out;
}

namespace {

// Rounds the digits half away from zero at 10^-decimals; false when nothing but zero is left.
bool RoundDigitsAt(Decimal15& d, int decimals) {
    const long long lastKept = static_cast<long long>(d.exponent) + decimals; // index into the digits
    if (lastKept >= static_cast<long long>(d.digits.size()) - 1)
        return true;
    if (lastKept < -1)
        return false;
    const bool up = d.digits[static_cast<std::size_t>(lastKept + 1)] >= '5';
    std::string kept = d.digits.substr(0, static_cast<std::size_t>(lastKept + 1));
    if (up && (kept.empty() || IncrementDigits(kept))) {
        kept.insert(kept.begin(), '1');
        ++d.exponent;
    }
    if (kept.find_first_not_of('0') == std::string::npos)
        return false;
    d.digits = kept;
    return true;
}

} // namespace

std::string PatternText(double value, int minIntegerDigits, int decimals) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    decimals = std::max(decimals, 0);
    Decimal15 d = ToDecimal15(value);
    const bool zero = d.digits == "0" || !RoundDigitsAt(d, decimals);

    // Lay the digits out: the integer part, then exactly `decimals` places.
    std::string integerPart;
    std::string fraction;
    if (!zero) {
        const long long k = static_cast<long long>(d.digits.size());
        const long long e = d.exponent;
        if (e >= 0) {
            const long long integerDigits = e + 1;
            integerPart = d.digits.substr(0, static_cast<std::size_t>(std::min(k, integerDigits)));
            if (k < integerDigits)
                integerPart.append(static_cast<std::size_t>(integerDigits - k), '0');
            if (k > integerDigits)
                fraction = d.digits.substr(static_cast<std::size_t>(integerDigits));
        } else {
            fraction.assign(static_cast<std::size_t>(-e - 1), '0');
            fraction += d.digits;
        }
    }
    fraction.resize(static_cast<std::size_t>(decimals), '0');
    if (static_cast<int>(integerPart.size()) < minIntegerDigits)
        integerPart.insert(0, static_cast<std::size_t>(minIntegerDigits) - integerPart.size(), '0');

    std::string out;
    // A negative value that rounds to zero is written without its sign.
    if (d.negative && !zero)
        out.push_back('-');
    out += integerPart;
    if (decimals > 0) {
        out.push_back('.');
        out += fraction;
    }
    return out;
}

std::string FormatPattern(double value, std::string_view pattern) {
    const std::size_t point = pattern.find('.');
    const std::string_view integerPattern = pattern.substr(0, point);
    int minIntegerDigits = 0;
    for (char c : integerPattern)
        minIntegerDigits += c == '0' ? 1 : 0;
    int decimals = 0;
    if (point != std::string_view::npos) {
        for (char c : pattern.substr(point + 1))
            decimals += (c == '0' || c == '#') ? 1 : 0;
    }
    return PatternText(value, minIntegerDigits, decimals);
}

std::string GroupedDigits(std::uint64_t count) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits;
}

std::string CountText(std::uint64_t count, const char* noun) {
    return GroupedDigits(count) + " " + noun + (count == 1 ? "" : "s");
}

} // namespace tes
