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

namespace {

// Appends the sign and the digits with their full stop, blanks left out, and returns the decimal
// exponent of the first non-zero digit; false in `anyDigit` when there is no digit.
long long TakeMantissa(BlankSkippingCursor& cursor, std::string& number, bool& anyDigit) {
    if (cursor.peek() == '-' || cursor.peek() == '+') {
        if (cursor.peek() == '-')
            number.push_back('-');
        cursor.advance();
    }
    anyDigit = false;
    bool seenPoint = false;
    bool seenNonZero = false;
    long long magnitude = 0;
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
    return magnitude;
}

// Appends an exponent introduced by E or D, when digits follow it, and returns its value (0 without).
long long TakeExponent(BlankSkippingCursor& cursor, std::string& number) {
    const char e = cursor.peek();
    if (e != 'E' && e != 'e' && e != 'D' && e != 'd')
        return 0;
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
    if (!anyExponentDigit)
        return 0;
    if (negativeExponent)
        exponent = -exponent;
    number.push_back('e');
    number += std::to_string(exponent);
    return exponent;
}

} // namespace

bool IsDigitsOnly(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

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
    bool anyDigit = false;
    long long magnitude = TakeMantissa(cursor, number, anyDigit);
    if (!anyDigit)
        return 0.0;
    magnitude += TakeExponent(cursor, number);

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
