#pragma once

#include "dialogkit/wnd.h"

#include <commctrl.h>

#include <cstdint>

// The IP address control: four fields, first field in the high byte of the address.
class CIPAddressCtrl : public CWnd {
public:
    using CWnd::CWnd;

    // Answers the number of non-blank fields; a blank field gives 0 in its byte.
    int GetAddress(std::uint32_t& address) const {
        DWORD packed = 0;
        const auto filled = SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&packed));
        address = packed;
        return static_cast<int>(filled);
    }
    // 0 shows as 0.0.0.0, not as blank fields.
    void SetAddress(std::uint32_t address) {
        SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
    }
};
