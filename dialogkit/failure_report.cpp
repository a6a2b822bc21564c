#include "dialogkit/failure_report.h"

#include "dialogkit/kit_texts.h"
#include "dialogkit/win_app.h"

#include <windows.h>

#include <cstring>
#include <string>

void ReportHandlerFailure(const char* what) noexcept {
    try {
        std::wstring text = kTextUnexpectedError;
        if (what != nullptr && *what != '\0') {
            const auto length = static_cast<int>(std::strlen(what));
            const int wide = ::MultiByteToWideChar(CP_ACP, 0, what, length, nullptr, 0);
            std::wstring detail(static_cast<std::size_t>(wide > 0 ? wide : 0), L'\0');
            ::MultiByteToWideChar(CP_ACP, 0, what, length, detail.data(), wide);
            text += detail;
        }
        AfxMessageBox(text, MB_OK | MB_ICONERROR);
    } catch (...) {
        // Out of memory while reporting: nothing more can be said.
        ::MessageBeep(MB_ICONERROR);
    }
}
