#include "dialogkit/dialog.h"

#include "dialogkit/resources.h"
#include "dialogkit/win_app.h"

namespace {
// Most answers of a dialog procedure travel in the DWLP_MSGRESULT slot with TRUE returned;
// these messages return the answer itself.
bool ReturnsAnswerDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return true;
    default:
        return IsCtlColorMessage(message);
    }
}
} // namespace

CDialog::CDialog(UINT templateId) : m_templateId(templateId) {}

CDialog::~CDialog() {
    // A window that outlives its object must not reach it any more.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
}

INT_PTR CDialog::DoModal() {
    return ::DialogBoxParamW(ResourceModule(), ResourceName(m_templateId), DefaultOwner(),
                             &DialogProc, reinterpret_cast<LPARAM>(this));
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
    auto* starting = message == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam) : nullptr;
    return RouteMessage(hwnd, message, wParam, lParam, starting);
}

INT_PTR CDialog::RouteMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                              CDialog* starting) {
    if (starting != nullptr) {
        starting->m_hWnd = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(starting));
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
    // An unhandled message answers FALSE, so that the dialog manager's default runs.
    if (!handled)
        return FALSE;
    if (ReturnsAnswerDirectly(message))
        return result;
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
