#include "dialogkit/shell_open.h"

#include <windows.h>

#include <shellapi.h>

bool ShellOpen(const std::wstring& target) {
    HINSTANCE answer =
        ::ShellExecuteW(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success.
    return reinterpret_cast<INT_PTR>(answer) > 32;
}
