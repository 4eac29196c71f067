#include "cli/windows_process.h"

#include "lib/wide_text.h"

#include <windows.h>

namespace tes::cli {

Utf8Arguments::Utf8Arguments(int argc, const wchar_t* const* argv) {
    m_texts.reserve(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i)
        m_texts.push_back(Utf8FromWide(argv[i]));
    for (const std::string& text : m_texts)
        m_pointers.push_back(text.c_str());
}

std::string ProgramFilePath() {
    // A path may be longer than MAX_PATH: the buffer grows until the whole name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0)
            return {};
        if (length < size) {
            path.resize(length);
            return Utf8FromWide(path);
        }
        path.resize(path.size() * 2);
    }
}

} // namespace tes::cli
