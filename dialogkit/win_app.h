#pragma once

#include "dialogkit/window_handle.h"

#include <windows.h>

#include <cstddef>
#include <string>

// The application object. A program defines exactly one global object of a class derived
// from this one; the framework's entry point (wWinMain, link with -municode) calls its
// InitInstance. It lies below CWnd: dialogs and message boxes find their owner here.
class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // The program's work: a dialog program runs its main window modally in here. No message
    // loop follows: the program ends with exit code 0 when it returns, whatever it answers.
    virtual bool InitInstance() = 0;

    // The main window: owner of message boxes and dialogs that name no parent.
    CWindowHandle* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();

// The executable's file name without folder and extension: the caption of message boxes
// that give none.
const std::wstring& AfxGetAppName();

// A message box with the application's name as caption, owned like a dialog without parent.
int AfxMessageBox(const std::wstring& text, UINT type = MB_OK);

// The window that owns a dialog or message box created without a parent: the main window's
// last active pop-up, or the thread's active window while there is no main window.
HWND DefaultOwner();

// Shown, followed by the exception's text, when a message handler fails unexpectedly.
inline constexpr wchar_t kTextUnexpectedError[] = L"An unexpected error occurred: ";

// The framework's exception barrier, called only inside a catch block: tells the user
// about the exception being handled, which stopped there before it could cross a Win32
// callback or leave the entry point.
void ReportHandlerFailure() noexcept;

// The longest path Windows takes, in UTF-16 units with the terminating NUL: a buffer this
// long holds any path in one call.
inline constexpr std::size_t kLongestPathUnits = 32768;
