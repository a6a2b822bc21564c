#include "dialogkit/resources.h"

HINSTANCE ResourceModule() {
    return ::GetModuleHandleW(nullptr);
}

std::wstring LoadResourceString(UINT id) {
    // With a zero buffer size LoadStringW hands out the resource's own read-only text,
    // which is not zero-terminated, so any length fits.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(ResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr)
        return {};
    return std::wstring(text, static_cast<std::size_t>(length));
}

HICON LoadIconResource(UINT id, int size) {
    return static_cast<HICON>(
        ::LoadImageW(ResourceModule(), ResourceName(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
