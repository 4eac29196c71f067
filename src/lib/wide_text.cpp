#include "lib/wide_text.h"

#include <climits>
#include <system_error>
#include <windows.h>

namespace tes {

namespace {

[[noreturn]] void ThrowUnconvertible() {
    throw std::system_error(std::make_error_code(std::errc::illegal_byte_sequence),
                            "text that does not convert between UTF-8 and UTF-16");
}

int LengthOf(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX))
        ThrowUnconvertible();
    return static_cast<int>(size);
}

} // namespace

std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty())
        return {};
    const int length = LengthOf(text.size());
    const int needed = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (needed <= 0)
        ThrowUnconvertible();
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), needed);
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty())
        return {};
    const int length = LengthOf(text.size());
    const int needed = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), length, nullptr, 0,
                                             nullptr, nullptr);
    if (needed <= 0)
        ThrowUnconvertible();
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), length, utf8.data(), needed, nullptr,
                          nullptr);
    return utf8;
}

} // namespace tes
