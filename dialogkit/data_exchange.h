#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CWnd;

// One run of a dialog's DoDataExchange: the direction and the dialog.
class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saveAndValidate)
        : m_saveAndValidate(saveAndValidate), m_dialog(dialog) {}

    // The dialog's control with this id.
    HWND Control(int id) const;

    // true: controls to fields; false: fields to controls.
    const bool m_saveAndValidate;
    const HWND m_dialog;
};

// The control's text.
void DDX_Text(CDataExchange& dx, int id, std::wstring& value);

// Attaches `control` to the dialog's control with this id (again when the dialog has a new
// window), running its PreSubclassWindow and subclassing it when it has a message map.
void DDX_Control(CDataExchange& dx, int id, CWnd& control);

// An IP address control's address, first field in the high byte; a blank field reads as 0
// in its byte, and 0 shows as 0.0.0.0.
void DDX_IPAddress(CDataExchange& dx, int id, std::uint32_t& address);
