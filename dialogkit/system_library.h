#pragma once

#include <windows.h>

// Loads a DLL of the system folder by file name, never one from the program's folder or
// the current directory. nullptr when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// Loads the rich edit 2.0 library, which registers the "RichEdit20W" window class.
bool AfxInitRichEdit2();
