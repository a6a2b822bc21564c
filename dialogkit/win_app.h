#pragma once

#include "dialogkit/wnd.h"

#include <windows.h>

#include <string>

// The application object. A program defines exactly one global object of a class derived
// from this one; the framework's entry point (wWinMain, link with -municode) calls its
// InitInstance and returns its exit code.
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

    // The main window: owner of message boxes and dialogs that name no parent.
    CWnd* m_pMainWnd = nullptr;

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

// The body of the entry point: InitInstance, then Run if it answered true; the exit code.
int RunApplication();
