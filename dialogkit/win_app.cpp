#include "dialogkit/win_app.h"

#include <cstring>
#include <exception>

namespace {
CWinApp* g_app = nullptr;

std::wstring ExecutableBaseName() {
    std::wstring path(kLongestPathUnits, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
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

CWinApp* AfxGetApp() {
    return g_app;
}

const std::wstring& AfxGetAppName() {
    static const std::wstring name = ExecutableBaseName();
    return name;
}

HWND DefaultOwner() {
    if (g_app != nullptr && g_app->m_pMainWnd != nullptr) {
        HWND main = g_app->m_pMainWnd->GetSafeHwnd();
        if (main != nullptr && ::IsWindow(main))
            return ::GetLastActivePopup(main);
    }
    return ::GetActiveWindow();
}

int AfxMessageBox(const std::wstring& text, UINT type) {
    return ::MessageBoxW(DefaultOwner(), text.c_str(), AfxGetAppName().c_str(), type);
}

void ReportHandlerFailure() noexcept {
    try {
        std::wstring text = kTextUnexpectedError;
        try {
            throw;
        } catch (const std::exception& failure) {
            const char* what = failure.what();
            const auto length = static_cast<int>(std::strlen(what));
            const int wide = ::MultiByteToWideChar(CP_ACP, 0, what, length, nullptr, 0);
            std::wstring detail(static_cast<std::size_t>(wide > 0 ? wide : 0), L'\0');
            ::MultiByteToWideChar(CP_ACP, 0, what, length, detail.data(), wide);
            text += detail;
        } catch (...) {
            // Not a std::exception: nothing to add to the text.
        }
        AfxMessageBox(text, MB_OK | MB_ICONERROR);
    } catch (...) {
        // Out of memory while reporting: nothing more can be said.
        ::MessageBeep(MB_ICONERROR);
    }
}

// The entry point: InitInstance; exit code 1 when it throws. Kept in this file: a program's
// application object pulls this object file, and with it the entry point, out of the static
// library.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (g_app == nullptr)
        return 1; // the program defines no application object
    try {
        g_app->InitInstance();
    } catch (...) {
        ReportHandlerFailure();
        return 1;
    }
    return 0;
}
