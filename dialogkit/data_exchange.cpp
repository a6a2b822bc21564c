#include "dialogkit/data_exchange.h"

#include "dialogkit/wnd.h"

#include <commctrl.h>

#include <cassert>

HWND CDataExchange::Control(int id) const {
    HWND control = ::GetDlgItem(m_dialog, id);
    assert(control != nullptr && "no control with this id in the dialog template");
    return control;
}

void DDX_Text(CDataExchange& dx, int id, std::wstring& value) {
    CWnd control(dx.Control(id));
    if (dx.m_saveAndValidate)
        value = control.GetWindowText();
    else
        control.SetWindowText(value);
}

void DDX_Control(CDataExchange& dx, int id, CWnd& control) {
    HWND window = dx.Control(id);
    if (control.GetSafeHwnd() != window)
        control.AttachControl(window);
}

void DDX_IPAddress(CDataExchange& dx, int id, std::uint32_t& address) {
    const HWND control = dx.Control(id);
    if (dx.m_saveAndValidate) {
        DWORD packed = 0;
        ::SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&packed));
        address = packed;
    } else {
        ::SendMessageW(control, IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
    }
}
