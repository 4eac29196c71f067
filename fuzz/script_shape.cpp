#include "script_shape.h"

#include <cctype>

namespace tes::fuzz {

namespace {

bool Consume(std::string_view& s, std::string_view prefix) {
    if (s.substr(0, prefix.size()) != prefix)
        return false;
    s.remove_prefix(prefix.size());
    return true;
}

// The body of a "..." literal up to its closing quote, escapes taken as pairs.
bool ConsumeString(std::string_view& s) {
    if (!Consume(s, "\""))
        return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\') {
            if (++i == s.size())
                return false;
        } else if (s[i] == '"') {
            s.remove_prefix(i + 1);
            return true;
        }
    }
    return false;
}

// $name or $'quoted name' (escapes taken as pairs), then an optional two-digit or longer copy number
// is part of the name already.
bool ConsumePathName(std::string_view& s) {
    if (!Consume(s, "$"))
        return false;
    if (Consume(s, "'")) {
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '\\') {
                if (++i == s.size())
                    return false;
            } else if (s[i] == '\'') {
                s.remove_prefix(i + 1);
                return i > 0;
            }
        }
        return false;
    }
    std::size_t n = 0;
    while (n < s.size() && (std::isalnum(static_cast<unsigned char>(s[n])) || s[n] == '_'))
        ++n;
    s.remove_prefix(n);
    return n > 0;
}

bool ConsumeNumber(std::string_view& s) {
    std::size_t n = 0;
    if (n < s.size() && (s[n] == '-' || s[n] == '+'))
        ++n;
    const std::size_t digitsStart = n;
    while (n < s.size() && (std::isdigit(static_cast<unsigned char>(s[n])) || s[n] == '.'))
        ++n;
    if (n == digitsStart)
        return false;
    if (n < s.size() && (s[n] == 'e' || s[n] == 'E')) {
        ++n;
        if (n < s.size() && (s[n] == '-' || s[n] == '+'))
            ++n;
        while (n < s.size() && std::isdigit(static_cast<unsigned char>(s[n])))
            ++n;
    }
    s.remove_prefix(n);
    return true;
}

bool ConsumePoint(std::string_view& s) {
    return Consume(s, "[") && ConsumeNumber(s) && Consume(s, ",") && ConsumeNumber(s) && Consume(s, ",") &&
           ConsumeNumber(s) && Consume(s, "]");
}

} // namespace

bool IsPlacementScriptLine(std::string_view line) {
    if (line.find_first_of("\r\n") != std::string_view::npos)
        return false;
    for (std::string_view fixed :
         {"", "clearlistener()", "max move", "-- start of script", "-- perform merge on first object",
          "-- move the first object into position",
          "-- make copies of the original object and move into postion"})
        if (line == fixed)
            return true;
    std::string_view s = line;
    if (Consume(s, "-- Tolvane Enviro Scripter for 3dsMax 3.1,  Version: "))
        return true;
    if (Consume(s, "-- Script File Name:  "))
        return true;
    if (Consume(s, "mergeMAXFile "))
        return ConsumeString(s) && s == " #mergeDups #select #noredraw";
    if (Consume(s, "rotate "))
        return ConsumePathName(s) && Consume(s, " (angleaxis ") && ConsumeNumber(s) && s == " [0,0,1])";
    if (Consume(s, "copy "))
        return ConsumePathName(s) && Consume(s, " isSelected:on name:") && ConsumeString(s) && s.empty();
    if (!ConsumePathName(s))
        return false;
    if (Consume(s, ".pos = ") || Consume(s, ".scale = "))
        return ConsumePoint(s) && s.empty();
    return false;
}

} // namespace tes::fuzz
