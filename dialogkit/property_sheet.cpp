#include "dialogkit/property_sheet.h"

#include "dialogkit/resources.h"

#include <cassert>
#include <cwchar>
#include <iterator>
#include <utility>

namespace {
// The sheet that DoModal is creating on this thread, until CreationHook has found its window.
thread_local CPropertySheet* t_sheetBeingCreated = nullptr;
} // namespace

CPropertySheet::CPropertySheet(std::wstring caption) : m_caption(std::move(caption)) {}

void CPropertySheet::AddPage(CPropertyPage* page) {
    assert(page != nullptr);
    m_pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal() {
    std::vector<PROPSHEETPAGEW> pages;
    pages.reserve(m_pages.size());
    for (const CPropertyPage* page : m_pages)
        pages.push_back(page->m_page);

    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hInstance = ResourceModule();
    header.pszCaption = m_caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();

    t_sheetBeingCreated = this;
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
    const INT_PTR result = ::PropertySheetW(&header);
    if (hook != nullptr)
        ::UnhookWindowsHookEx(hook);
    t_sheetBeingCreated = nullptr;
    return result;
}

bool CPropertySheet::OnInitDialog() {
    const bool result = Default() != 0;
    CenterWindow();
    return result;
}

bool CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    LRESULT ignored = 0;
    return RunMapEntry(WM_COMMAND, LOWORD(wParam), HIWORD(wParam),
                       Message{WM_COMMAND, wParam, lParam}, ignored);
}

bool CPropertySheet::OnWndMsg(const Message& message, LRESULT& result) {
    if (message.message == WM_INITDIALOG) {
        result = OnInitDialog() ? TRUE : FALSE;
        return true;
    }
    if (message.message == WM_COMMAND) {
        result = 0;
        return OnCommand(message.wParam, message.lParam);
    }
    return CWnd::OnWndMsg(message, result);
}

LRESULT CALLBACK CPropertySheet::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    // The first top-level dialog window PropertySheetW creates is the sheet; its pages are
    // child windows created later.
    if (code == HCBT_CREATEWND && t_sheetBeingCreated != nullptr) {
        const auto hwnd = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTW& create = *reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
        wchar_t className[16] = {};
        if ((create.style & WS_CHILD) == 0 &&
            ::GetClassNameW(hwnd, className, static_cast<int>(std::size(className))) > 0 &&
            std::wcscmp(className, L"#32770") == 0)
            std::exchange(t_sheetBeingCreated, nullptr)->SubclassWindow(hwnd);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
