#include "lib/registry_settings.h"

#include "lib/wide_text.h"

#include <windows.h>

namespace tes {

namespace {

class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey() {
        if (m_key != nullptr)
            ::RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY* out() { return &m_key; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

} // namespace

std::string ReadRegistryString(const std::string& keyPath, const std::string& name) {
    OpenKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, WideFromUtf8(keyPath).c_str(), 0, KEY_QUERY_VALUE, key.out()) !=
        ERROR_SUCCESS)
        return {};
    const std::wstring wideName = WideFromUtf8(name);
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), wideName.c_str(), nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS ||
        bytes == 0)
        return {};
    // One character more than asked for, so a value stored without its terminating zero still ends.
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.get(), wideName.c_str(), nullptr, nullptr,
                           reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS)
        return {};
    text.resize(bytes / sizeof(wchar_t));
    if (const std::size_t end = text.find(L'\0'); end != std::wstring::npos)
        text.resize(end);
    return Utf8FromWide(text);
}

bool WriteRegistryString(const std::string& keyPath, const std::string& name, const std::string& value) {
    OpenKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, WideFromUtf8(keyPath).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.out(),
                          nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring text = WideFromUtf8(value);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), WideFromUtf8(name).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

} // namespace tes
