#pragma once

#include <string>
#include <string_view>

// Taking delimited lines and paths apart.
namespace tes {

// Field `index` (counted from 0) of `source` split at every occurrence of `delimiter` (one or more
// characters, occurrences never overlap). No trimming; a missing field, a negative index and an empty
// delimiter give the empty text. The result views into `source`.
std::string_view GetElement(std::string_view source, std::string_view delimiter, long long index);

// The last component of a path: c.ms from C:\a\b\c.ms, dir from C:\dir\, the whole text when it has
// no separator. Both \ and / separate folders.
std::string GetFileNameFromPath(std::string_view path);

// A file's bare name: blanks at both ends dropped, the drive up to the first colon dropped, the
// folders up to the last separator dropped and the extension from the last full stop on dropped.
std::string GetBaseFileName(std::string_view path);

// The 3ds Max object a Max file and object name stand for: the object named, or, when the name is
// empty, the one called as the file is (GetBaseFileName).
std::string ObjectOrFileName(std::string_view maxFile, std::string_view objectName);

// The folder part of a path (everything before its last separator), without a closing separator
// unless it is a root such as "/" or "C:\".
std::string FolderOfPath(std::string_view path);

// Joins a folder and a name with the platform's own separator (one only).
std::string JoinPath(std::string_view folder, std::string_view name);

// The upper-case form of a UTF-8 text as the classic upper-casing maps the Windows-1252 letters
// (a-z, the accented Latin letters, š, œ, ž, ÿ); everything else stays.
std::string UpperCase(std::string_view text);

// Upper-cases ASCII letters only; used to compare vegetation keys and INI names.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace tes
