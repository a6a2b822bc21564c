#include "dialogkit/dialog.h"

#include "dialogkit/dialog_result.h"
#include "dialogkit/resources.h"
#include "dialogkit/win_app.h"

#include <commctrl.h>
#include <prsht.h>

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
    // A window that outlives its object must not reach it any more.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
}

INT_PTR CDialog::DoModal() {
    PROPSHEETPAGEW start{};
    start.dwSize = sizeof start;
    start.lParam = reinterpret_cast<LPARAM>(this);
    HWND owner = m_parent != nullptr ? m_parent->GetSafeHwnd() : DefaultOwner();
    return ::DialogBoxParamW(ResourceModule(), ResourceName(m_templateId), owner, &DialogProc,
                             reinterpret_cast<LPARAM>(&start));
}

void CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(m_hWnd, saveAndValidate);
    DoDataExchange(dx);
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange&) {}

bool CDialog::OnWndMsg(const Message& message, LRESULT& result) {
    if (message.message == WM_INITDIALOG) {
        result = OnInitDialog() ? TRUE : FALSE;
        return true;
    }
    if (CWnd::OnWndMsg(message, result))
        return true;
    if (message.message == WM_COMMAND && HIWORD(message.wParam) == BN_CLICKED) {
        if (LOWORD(message.wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(message.wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

LRESULT CDialog::DefaultProcessing(const Message& message) {
    const Message* outer = m_defaulting;
    m_defaulting = &message;
    const LRESULT result = ::DefDlgProcW(m_hWnd, message.message, message.wParam, message.lParam);
    m_defaulting = outer;
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* start = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        auto* created = reinterpret_cast<CDialog*>(start->lParam);
        created->m_hWnd = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(created));
    }
    // Messages such as WM_SETFONT come before WM_INITDIALOG, when no object is stored yet.
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;

    const Message current{message, wParam, lParam};
    if (dialog->m_defaulting != nullptr && *dialog->m_defaulting == current)
        return FALSE;

    LRESULT result = 0;
    const bool handled = dialog->Dispatch(current, result);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
    }
    return DialogProcResult(hwnd, message, handled, result);
}
