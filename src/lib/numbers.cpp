#include "lib/numbers.h"

#include "lib/failure.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace tes {

namespace {

bool IsSkippedBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks a text while skipping the blanks that the leading-number rule ignores anywhere.
class BlankSkippingCursor {
public:
    explicit BlankSkippingCursor(std::string_view text) : m_text(text) { skip(); }
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void advance() {
        ++m_pos;
        skip();
    }
    // The character right behind the current one, blanks not skipped ("&H" must stand together).
    char peekAdjacent() const { return m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : '\0'; }

private:
    void skip() {
        while (m_pos < m_text.size() && IsSkippedBlank(m_text[m_pos]))
            ++m_pos;
    }
    std::string_view m_text;
    std::size_t m_pos = 0;
};

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// &H and &O numbers: up to 4 hex digits (or an octal value up to &HFFFF) wrap to a signed 16-bit
// integer, up to 8 hex digits to a signed 32-bit one; a trailing & asks for 32 bits. Longer numbers
// keep their 64-bit value.
double RadixValue(BlankSkippingCursor& cursor, int radix) {
    std::uint64_t value = 0;
    int significantDigits = 0;
    while (!cursor.atEnd()) {
        const int digit = HexDigitValue(cursor.peek());
        if (digit < 0 || digit >= radix)
            break;
        if (value != 0 || digit != 0)
            ++significantDigits;
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
        cursor.advance();
    }
    const bool longRequested = cursor.peek() == '&';
    const bool fits16 = radix == 16 ? significantDigits <= 4 : value <= 0xFFFF;
    const bool fits32 = radix == 16 ? significantDigits <= 8 : value <= 0xFFFFFFFFu;
    if (fits16 && !longRequested)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    if (fits32)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return static_cast<double>(static_cast<std::int64_t>(value));
}

} // namespace

double LeadingNumberValue(std::string_view text) {
    BlankSkippingCursor cursor(text);
    if (cursor.peek() == '&') {
        const char letter = cursor.peekAdjacent();
        if (letter == 'H' || letter == 'h' || letter == 'O' || letter == 'o') {
            cursor.advance();
            cursor.advance();
            return RadixValue(cursor, letter == 'H' || letter == 'h' ? 16 : 8);
        }
        return 0.0;
    }

    // The accepted prefix is rebuilt without blanks in the form from_chars reads.
    std::string number;
    if (cursor.peek() == '-' || cursor.peek() == '+') {
        if (cursor.peek() == '-')
            number.push_back('-');
        cursor.advance();
    }
    bool anyDigit = false;
    bool seenPoint = false;
    bool seenNonZero = false;
    long long magnitude = 0; // decimal exponent of the first non-zero digit, before the exponent part
    while (!cursor.atEnd()) {
        const char c = cursor.peek();
        if (IsDigit(c)) {
            anyDigit = true;
            if (c != '0' && !seenNonZero) {
                seenNonZero = true;
                magnitude = seenPoint ? magnitude - 1 : 0;
            } else if (seenNonZero && !seenPoint) {
                ++magnitude;
            } else if (!seenNonZero && seenPoint) {
                --magnitude;
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number.push_back(c);
        cursor.advance();
    }
    if (!anyDigit)
        return 0.0;

    const char e = cursor.peek();
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        cursor.advance();
        bool negativeExponent = false;
        if (cursor.peek() == '-' || cursor.peek() == '+') {
            negativeExponent = cursor.peek() == '-';
            cursor.advance();
        }
        long long exponent = 0;
        bool anyExponentDigit = false;
        while (IsDigit(cursor.peek())) {
            anyExponentDigit = true;
            exponent = std::min<long long>(exponent * 10 + (cursor.peek() - '0'), 1'000'000'000);
            cursor.advance();
        }
        if (anyExponentDigit) {
            if (negativeExponent)
                exponent = -exponent;
            magnitude += exponent;
            number.push_back('e');
            number += std::to_string(exponent);
        }
    }

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool negative = number.front() == '-';
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -value : value;
    }
    return value;
}

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
        d.digits = "0";
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

std::string PatternText(double value, int minIntegerDigits, int decimals) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    decimals = std::max(decimals, 0);
    Decimal15 d = ToDecimal15(value);
    bool zero = d.digits == "0";

    // Round half away from zero on the decimal digits: keep the digits down to 10^-decimals.
    const long long lastKept = static_cast<long long>(d.exponent) + decimals; // index into the digits
    if (!zero && lastKept < static_cast<long long>(d.digits.size()) - 1) {
        if (lastKept < -1) {
            zero = true;
        } else {
            const bool up = d.digits[static_cast<std::size_t>(lastKept + 1)] >= '5';
            std::string kept = d.digits.substr(0, static_cast<std::size_t>(lastKept + 1));
            if (up) {
                if (kept.empty() || IncrementDigits(kept)) {
                    kept.insert(kept.begin(), '1');
                    ++d.exponent;
                }
            }
            if (kept.find_first_not_of('0') == std::string::npos) {
                zero = true;
            } else {
                d.digits = kept;
            }
        }
    }

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

namespace {

// Half to even on the exact value of a double product.
double RoundProductHalfEven(double x) {
    const double whole = std::floor(x);
    const double fraction = x - whole; // exact for every double
    if (fraction > 0.5)
        return whole + 1.0;
    if (fraction < 0.5)
        return whole;
    return std::fmod(whole, 2.0) == 0.0 ? whole : whole + 1.0;
}

} // namespace

double RoundHalfEven(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    constexpr double kAlreadyWhole = 4503599627370496.0; // 2^52: every double beyond is a whole number
    if (decimals >= 0) {
        const double scale = std::pow(10.0, decimals);
        const double scaled = value * scale;
        if (!std::isfinite(scaled) || std::fabs(scaled) >= kAlreadyWhole)
            return value;
        return RoundProductHalfEven(scaled) / scale;
    }
    const double scale = std::pow(10.0, -decimals);
    return RoundProductHalfEven(value / scale) * scale;
}

std::int32_t ToInt32(double value) {
    constexpr double kLow = -2147483648.5;
    constexpr double kHigh = 2147483647.5;
    if (std::isnan(value) || value < kLow || value >= kHigh)
        throw failures::overflow();
    return static_cast<std::int32_t>(RoundProductHalfEven(value));
}

std::string SignPadded(long long number) {
    return number < 0 ? std::to_string(number) : " " + std::to_string(number);
}

} // namespace tes
