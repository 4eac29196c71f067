#include "ui/native_dialogs.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tes {

bool NativeFileDialogsWork() {
#ifdef Q_OS_WIN
    // Wine's ntdll exports its version; Windows' does not.
    static const bool wine = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return !wine;
#else
    return true;
#endif
}

} // namespace tes
