#pragma once

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The literals of one line of MAXScript, read the way 3ds Max reads them, for the tests' placement
// reader.
namespace tes::test {

// Something in a script that 3ds Max would stop at, or read otherwise than the writer meant.
struct ScriptFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An error 3ds Max raises while the script runs, which a try of the script catches: a throw of its
// own. Everything else the reader meets is a fault of the writer, which no try hides.
struct MaxError : ScriptFault {
    using ScriptFault::ScriptFault;
};

// 3ds Max keeps coordinates as 32-bit floats.
struct Point3 {
    float x = 0;
    float y = 0;
    float z = 0;
    bool operator==(const Point3&) const = default;
};

// One level of a pathname ($Tree, $'Oak Tree'): each piece is one character, or a wildcard.
struct NamePattern {
    enum class Kind { Literal, AnyOne, AnyRun };
    struct Piece {
        Kind kind;
        std::string text; // the character (UTF-8) of a Literal piece
    };
    std::vector<Piece> pieces;
    std::string written; // as the script wrote it, for messages

    // As 3ds Max compares node names: ASCII letter case aside, and '_' and a blank standing for each
    // other.
    bool matches(std::string_view name) const;
};

// Reads a line from left to right. Every reader skips blanks first; what a reader does not find is a
// ScriptFault.
class MaxCursor {
public:
    explicit MaxCursor(std::string_view line) : m_line(line) {}

    // Consumes `word` when it comes next (letter case aside, as MAXScript does); a word ending in a
    // letter must not run on into another letter.
    bool take(std::string_view word);
    void expect(std::string_view word);
    // Consumes `c` only when it comes next with no blank before it.
    bool takeAdjacent(char c);
    std::string identifier();
    // A "..." literal, decoded.
    std::string string();
    NamePattern pathname();
    // Either kind of number literal; `integral` tells which it was.
    double number(bool* integral = nullptr);
    Point3 point3();

    char peek();
    bool atEnd();
    void expectEnd();
    // What is left of the line, blanks first skipped.
    std::string_view rest();
    // Reads over the rest of the line, checking only that its literals end and its parentheses
    // pair: a branch that is not taken is still parsed.
    void skipRest();
    // Reads over the text up to the first of `words` that stands outside literals and parentheses, or
    // up to a parenthesis that closes what the text did not open, or the end; gives the text read over.
    std::string_view skipTo(std::initializer_list<std::string_view> words);
    // How many more parentheses the rest of the line opens than it closes, literals and comments
    // aside.
    int balanceOfRest();

private:
    void skipBlanks();

    std::string_view m_line;
    std::size_t m_pos = 0;
};

// The balance of a whole line (see MaxCursor::balanceOfRest).
int ParenthesisBalance(std::string_view line);

} // namespace tes::test
