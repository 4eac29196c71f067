#include "core/script/maxscript_literals.h"

#include "lib/numbers.h"
#include "lib/text_codec.h"
#include "lib/utf8.h"

namespace tes {

namespace {

bool IsAsciiLetterOrDigit(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Consumes one or more digits at `pos`; false when there is none.
bool SkipDigits(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos > start;
}

// A number as MAXScript reads it without help: [-]digits[.digits][e[+|-]digits]. A leading '+' is left
// out on purpose: MAXScript has no unary plus.
bool IsPlainNumberLiteral(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-')
        ++pos;
    if (!SkipDigits(text, pos))
        return false;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        if (!SkipDigits(text, pos))
            return false;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        if (!SkipDigits(text, pos))
            return false;
    }
    return pos == text.size();
}

// The byte that the character at `pos` becomes in the script file: itself, its Windows-1252 byte, or
// '?' for a character that Windows-1252 lacks.
char WrittenByte(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return '\0';
    std::size_t end = pos;
    utf8::Decode(text, end);
    return Utf8ToCp1252(text.substr(pos, end - pos)).front();
}

} // namespace

bool IsPlainMaxName(std::string_view name) {
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (!IsAsciiLetterOrDigit(u) && c != '_')
            return false;
    }
    return true;
}

bool IsWritableMaxName(std::string_view name, bool pathname) {
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if ((pathname && c == '\'') || IsControl(u))
            return false;
    }
    return true;
}

std::string MaxPathName(std::string_view name) {
    std::string out;
    out.reserve(name.size() + 4);
    if (IsPlainMaxName(name)) {
        out += '$';
        out += name;
        return out;
    }
    // Inside the quotes * and ? are still wildcards and \ still escapes.
    out += "$'";
    for (const char c : name) {
        if (c == '*' || c == '?' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '\'';
    return out;
}

std::string MaxStringBody(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\r') {
            out += "\\r"; // a line break would end the line in the middle of the string
        } else if (c == '\n') {
            out += "\\n";
        } else {
            if (c == '"' || c == '\\')
                out += '\\';
            out += c;
        }
    }
    return out;
}

std::string MaxFilePathBody(std::string_view path) {
    std::string out;
    out.reserve(path.size() + 8);
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '\\') {
            const bool inRun = (i > 0 && path[i - 1] == '\\') || (i + 1 < path.size() && path[i + 1] == '\\');
            const char next = WrittenByte(path, i + 1);
            // A backslash is taken as the start of an escape before these (the line breaks below are
            // written as escapes themselves, and a character the file's code page lacks is written as
            // '?'), and at the very end it would swallow the closing quote.
            const bool consumed = i + 1 == path.size() || next == '%' || next == '"' || next == '*' ||
                                  next == '?' || next == '\r' || next == '\n';
            out += (inRun || consumed) ? "\\\\" : "\\";
        } else if (c == '"') {
            out += "\\\"";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string MaxCommentText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (IsControl(static_cast<unsigned char>(c)))
            c = '?';
    return out;
}

std::string MaxAngleText(std::string_view typed) {
    if (IsPlainNumberLiteral(typed))
        return std::string(typed);
    return DecimalText(LeadingNumberValue(typed));
}

} // namespace tes
