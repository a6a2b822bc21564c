#include "dialogkit/win_app.h"

#include "dialogkit/failure_report.h"

#include <exception>

namespace {
CWinApp* g_app = nullptr;

std::wstring ExecutableBaseName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot != 0)
        name.resize(dot);
    return name;
}
} // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::Run() {
    MSG message{};
    BOOL got = FALSE;
    while ((got = ::GetMessageW(&message, nullptr, 0, 0)) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (got == 0)
        SetExitCode(static_cast<int>(message.wParam));
}

CWinApp* AfxGetApp() {
    return g_app;
}

const std::wstring& AfxGetAppName() {
    static const std::wstring name = ExecutableBaseName();
    return name;
}

HWND DefaultOwner() {
    const CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd != nullptr) {
        HWND main = app->m_pMainWnd->GetSafeHwnd();
        if (main != nullptr && ::IsWindow(main))
            return ::GetLastActivePopup(main);
    }
    return ::GetActiveWindow();
}

int AfxMessageBox(const std::wstring& text, UINT type) {
    return ::MessageBoxW(DefaultOwner(), text.c_str(), AfxGetAppName().c_str(), type);
}

int RunApplication() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1; // the program defines no application object
    try {
        if (app->InitInstance())
            app->Run();
    } catch (const std::exception& failure) {
        ReportHandlerFailure(failure.what());
        return 1;
    } catch (...) {
        ReportHandlerFailure(nullptr);
        return 1;
    }
    return app->GetExitCode();
}

// Kept in this file: a program's application object pulls this object file, and with it
// the entry point, out of the static library.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return RunApplication();
}
