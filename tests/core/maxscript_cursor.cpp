#include "support/maxscript_cursor.h"

#include "lib/fields.h"
#include "lib/utf8.h"

#include <cstdlib>

namespace tes::test {

namespace {

bool IsLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Folded(char c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    return c == '_' ? ' ' : c;
}

// The characters of a UTF-8 text, one string each.
std::vector<std::string> Characters(std::string_view text) {
    std::vector<std::string> out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t begin = pos;
        utf8::Decode(text, pos);
        out.emplace_back(text.substr(begin, pos - begin));
    }
    return out;
}

bool SameCharacter(const std::string& a, const std::string& b) {
    if (a.size() == 1 && b.size() == 1)
        return Folded(a[0]) == Folded(b[0]);
    return a == b;
}

bool Match(const std::vector<NamePattern::Piece>& pieces, std::size_t p,
           const std::vector<std::string>& chars, std::size_t c) {
    if (p == pieces.size())
        return c == chars.size();
    const NamePattern::Piece& piece = pieces[p];
    if (piece.kind == NamePattern::Kind::AnyRun) {
        for (std::size_t skip = c; skip <= chars.size(); ++skip)
            if (Match(pieces, p + 1, chars, skip))
                return true;
        return false;
    }
    if (c == chars.size())
        return false;
    if (piece.kind == NamePattern::Kind::Literal && !SameCharacter(piece.text, chars[c]))
        return false;
    return Match(pieces, p + 1, chars, c + 1);
}

} // namespace

bool NamePattern::matches(std::string_view name) const {
    // Without wildcards the lengths must agree: a quick no for most nodes of a long script.
    std::size_t bytes = 0;
    for (const Piece& piece : pieces) {
        if (piece.kind != Kind::Literal)
            return Match(pieces, 0, Characters(name), 0);
        bytes += piece.text.size();
    }
    return bytes == name.size() && Match(pieces, 0, Characters(name), 0);
}

void MaxCursor::skipBlanks() {
    while (m_pos < m_line.size() && (m_line[m_pos] == ' ' || m_line[m_pos] == '\t'))
        ++m_pos;
}

bool MaxCursor::take(std::string_view word) {
    skipBlanks();
    const std::size_t end = m_pos + word.size();
    if (end > m_line.size() || !EqualsIgnoringAsciiCase(m_line.substr(m_pos, word.size()), word))
        return false;
    if (IsLetterOrDigit(word.back()) && end < m_line.size() && IsLetterOrDigit(m_line[end]))
        return false;
    m_pos = end;
    return true;
}

void MaxCursor::expect(std::string_view word) {
    if (!take(word))
        throw ScriptFault("expected '" + std::string(word) + "' at '" + std::string(rest()) + "'");
}

bool MaxCursor::takeAdjacent(char c) {
    if (m_pos == m_line.size() || m_line[m_pos] != c)
        return false;
    ++m_pos;
    return true;
}

std::string MaxCursor::identifier() {
    skipBlanks();
    const std::size_t begin = m_pos;
    while (m_pos < m_line.size() && IsLetterOrDigit(m_line[m_pos]))
        ++m_pos;
    if (m_pos == begin || IsDigit(m_line[begin]))
        throw ScriptFault("expected a name at '" + std::string(m_line.substr(begin)) + "'");
    return std::string(m_line.substr(begin, m_pos - begin));
}

std::string MaxCursor::string() {
    expect("\"");
    std::string out;
    while (m_pos < m_line.size()) {
        const char c = m_line[m_pos++];
        if (c == '"')
            return out;
        if (c != '\\' || m_pos == m_line.size()) {
            out += c;
            continue;
        }
        const char next = m_line[m_pos];
        switch (next) {
        case '"':
        case '\\':
        case '%':
        case '*':
        case '?':
            out += next;
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x':
            throw ScriptFault("a \\x escape, whose length the reader does not know");
        default:
            out += '\\';
            continue; // kept as written, with the character after it
        }
        ++m_pos;
    }
    throw ScriptFault("a string runs past the end of its line");
}

NamePattern MaxCursor::pathname() {
    expect("$");
    NamePattern pattern;
    const std::size_t begin = m_pos;
    const bool quoted = m_pos < m_line.size() && m_line[m_pos] == '\'';
    m_pos += quoted ? 1 : 0;
    for (;;) {
        if (m_pos == m_line.size()) {
            if (quoted)
                throw ScriptFault("a quoted pathname runs past the end of its line");
            break;
        }
        const char c = m_line[m_pos];
        if (quoted && c == '\'') {
            ++m_pos;
            break;
        }
        if (!quoted && !IsLetterOrDigit(c) && c != '*' && c != '?' && c != '\\')
            break;
        if (c == '/')
            throw ScriptFault("a '/' inside a quoted pathname: a name or a hierarchy, 3ds Max does not say");
        if (c == '*' || c == '?') {
            pattern.pieces.push_back({c == '*' ? NamePattern::Kind::AnyRun : NamePattern::Kind::AnyOne, ""});
            ++m_pos;
            continue;
        }
        // A backslash makes the character after it a plain one; none is documented for a quote.
        if (c == '\\' && ++m_pos == m_line.size())
            throw ScriptFault("a pathname ends in a backslash");
        if (c == '\\' && m_line[m_pos] == '\'')
            throw ScriptFault("a quote escaped inside a pathname, which 3ds Max does not document");
        const std::size_t start = m_pos;
        utf8::Decode(m_line, m_pos);
        pattern.pieces.push_back(
            {NamePattern::Kind::Literal, std::string(m_line.substr(start, m_pos - start))});
    }
    pattern.written = "$" + std::string(m_line.substr(begin, m_pos - begin));
    if (pattern.pieces.empty())
        throw ScriptFault("an empty pathname");
    if (m_pos < m_line.size() && (m_line[m_pos] == '/' || m_line.substr(m_pos).starts_with("...")))
        throw ScriptFault("a pathname of several levels: " + pattern.written);
    return pattern;
}

double MaxCursor::number(bool* integral) {
    skipBlanks();
    const std::size_t begin = m_pos;
    const auto digits = [&] {
        const std::size_t start = m_pos;
        while (m_pos < m_line.size() && IsDigit(m_line[m_pos]))
            ++m_pos;
        if (m_pos == start)
            throw ScriptFault("expected a number at '" + std::string(m_line.substr(begin)) + "'");
    };
    if (m_pos < m_line.size() && m_line[m_pos] == '-')
        ++m_pos;
    digits();
    bool whole = true;
    if (m_pos < m_line.size() && m_line[m_pos] == '.') {
        ++m_pos;
        digits();
        whole = false;
    }
    if (m_pos < m_line.size() && (m_line[m_pos] == 'e' || m_line[m_pos] == 'E')) {
        ++m_pos;
        if (m_pos < m_line.size() && (m_line[m_pos] == '+' || m_line[m_pos] == '-'))
            ++m_pos;
        digits();
        whole = false;
    }
    if (m_pos < m_line.size() && IsLetterOrDigit(m_line[m_pos]))
        throw ScriptFault("a number runs on into '" + std::string(m_line.substr(m_pos)) + "'");
    if (integral)
        *integral = whole;
    return std::strtod(std::string(m_line.substr(begin, m_pos - begin)).c_str(), nullptr);
}

Point3 MaxCursor::point3() {
    expect("[");
    Point3 p;
    p.x = static_cast<float>(number());
    expect(",");
    p.y = static_cast<float>(number());
    expect(",");
    p.z = static_cast<float>(number());
    expect("]");
    return p;
}

char MaxCursor::peek() {
    skipBlanks();
    return m_pos < m_line.size() ? m_line[m_pos] : '\0';
}

bool MaxCursor::atEnd() {
    return peek() == '\0';
}

void MaxCursor::expectEnd() {
    if (!atEnd())
        throw ScriptFault("the statement goes on: '" + std::string(rest()) + "'");
}

std::string_view MaxCursor::rest() {
    skipBlanks();
    return m_line.substr(m_pos);
}

void MaxCursor::skipRest() {
    if (balanceOfRest() != 0)
        throw ScriptFault("the parentheses of a line do not pair");
}

std::string_view MaxCursor::skipTo(std::initializer_list<std::string_view> words) {
    skipBlanks();
    const std::size_t begin = m_pos;
    for (int depth = 0; !atEnd() && !m_line.substr(m_pos).starts_with("--");) {
        const char c = m_line[m_pos];
        const bool wordStart = m_pos == 0 || !IsLetterOrDigit(m_line[m_pos - 1]);
        for (const std::string_view word : words)
            if (MaxCursor probe = *this; depth == 0 && wordStart && probe.take(word))
                return m_line.substr(begin, m_pos - begin);
        if (c == '"')
            string();
        else if (c == '$')
            pathname();
        else if (c == ')' && depth == 0)
            break;
        else {
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            ++m_pos;
        }
        skipBlanks();
    }
    return m_line.substr(begin, m_pos - begin);
}

int MaxCursor::balanceOfRest() {
    int depth = 0;
    while (!atEnd()) {
        const char c = peek();
        if (c == '"')
            string();
        else if (c == '$')
            pathname();
        else if (m_line.substr(m_pos).starts_with("--"))
            m_pos = m_line.size();
        else {
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            ++m_pos;
        }
    }
    return depth;
}

int ParenthesisBalance(std::string_view line) {
    return MaxCursor(line).balanceOfRest();
}

} // namespace tes::test
