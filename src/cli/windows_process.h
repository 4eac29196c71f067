#pragma once

#ifdef _WIN32

#include <string>
#include <vector>

// What Windows tells the process about itself, in UTF-8 like every text of the program.
namespace tes::cli {

// The arguments of wmain(). A narrow main() would get them in the ANSI code page, which has no room
// for most letters and replaces them with '?', so they are taken as UTF-16 and converted once here.
class Utf8Arguments {
public:
    Utf8Arguments(int argc, const wchar_t* const* argv);
    int count() const { return static_cast<int>(m_pointers.size()); }
    const char* const* values() const { return m_pointers.data(); }

private:
    std::vector<std::string> m_texts;
    std::vector<const char*> m_pointers;
};

// The full path of the running program file; empty when the system does not tell it.
std::string ProgramFilePath();

} // namespace tes::cli

#endif
