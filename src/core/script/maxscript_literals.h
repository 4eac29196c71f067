#pragma once

#include <string>
#include <string_view>

// Writing names and paths into MAXScript so that they reach 3ds Max intact.
namespace tes {

// True when the name is made of letters, digits and '_' only (usable as a bare $name).
bool IsPlainMaxName(std::string_view name);
// False when the name holds a control character (below 0x20, or 0x7F), or, for a `pathname`, a single
// quote: no MAXScript pathname can carry it safely. A string literal carries a quote (\" and ').
bool IsWritableMaxName(std::string_view name, bool pathname = true);
// The pathname of a node: $Tree, or $'Oak Tree' with *, ? and \ escaped inside the quotes.
std::string MaxPathName(std::string_view name);
// The body of a "..." string literal: " and \ escaped, line breaks written as \r and \n.
std::string MaxStringBody(std::string_view text);
// The Max file path of the merge line: backslashes that MAXScript would consume are doubled (each of
// a run of two or more, one before % " * ? or a line break, one before a character that the file's
// code page lacks and writes as ?, one at the very end); a " is written \"
// and CR / LF as \r / \n, so nothing can end the string early; other text stays as it is.
std::string MaxFilePathBody(std::string_view path);
// Text for a -- comment: control characters (line breaks above all) become '?', so the comment
// cannot end early and start a statement.
std::string MaxCommentText(std::string_view text);
// The rotation text of the rotate line: kept as typed when it is a plain number literal, otherwise the
// decimal text of its value, so no text can end the expression early.
std::string MaxAngleText(std::string_view typed);

} // namespace tes
