#pragma once

#include "dialogkit/window_handle.h"

#include <windows.h>

#include <cstddef>
#include <string>

// The application object. A program defines exactly one global object of a class derived
// from this one; the framework's entry point (wWinMain, link with -municode) calls its
// InitInstance and returns its exit code. It lies below CWnd: windows find the main window
// and the owner of their message boxes here.
class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // The program's work. Answer false to end the program at once (a dialog program runs
    // its main window modally in here), true to run a message loop until WM_QUIT.
    virtual bool InitInstance() { return true; }

    void SetExitCode(int code) { m_exitCode = code; }
    int GetExitCode() const { return m_exitCode; }

    // Runs the message loop; WM_QUIT's code becomes the exit code.
    void Run();

    // The main window: owner of message boxes and dialogs that name no parent, and the
    // receiver of the help command for F1.
    CWindowHandle* m_pMainWnd = nullptr;

private:
    int m_exitCode = 0;
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
