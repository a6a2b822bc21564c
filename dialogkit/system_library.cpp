#include "dialogkit/system_library.h"

#include <string>

HMODULE LoadSystemLibrary(const wchar_t* fileName) {
    if (HMODULE module = ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    // Windows 7 without its search-path update rejects the flag: name the system folder.
    if (::GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + fileName;
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool AfxInitRichEdit2() {
    return LoadSystemLibrary(L"riched20.dll") != nullptr;
}
