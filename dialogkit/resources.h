#pragma once

#include <windows.h>

#include <string>

// The module whose resources (dialog templates, strings, icons) the program uses: its
// executable.
HINSTANCE ResourceModule();

// A numeric resource id in the form the resource functions take.
inline LPCWSTR ResourceName(UINT id) {
    return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id)));
}

// String resource `id`; empty when there is none.
std::wstring LoadResourceString(UINT id);

// Icon resource `id` at size x size pixels, default colours; nullptr when there is none.
HICON LoadIconResource(UINT id, int size);
