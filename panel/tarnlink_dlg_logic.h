#pragma once

#include "panel/main_dlg_logic.h"
#include "panel/message_box.h"

#include <cstdint>

// Behaviour of the main property sheet that does not need a window.
class CTarnlinkDlgLogic {
public:
    // What becomes of a command after the sheet has looked at it.
    enum class CommandRoute { Default, Handled };

    // The command of the OK button and the Enter key (IDOK, checked in the sheet).
    static constexpr std::uint32_t kOkCommand = 1;

    // sheet owns the message boxes; proxyPage holds the rules.
    CTarnlinkDlgLogic(IMessageBoxOwner& sheet, CMainDlgLogic& proxyPage);

    // The sheet's WM_COMMAND: leaving with OK while rules are modified asks
    // whether to save them first.
    CommandRoute OnCommand(std::uint32_t commandWord);

    // Whether a WM_SYSCOMMAND value is the About entry (the platform uses the low
    // four bits itself).
    static bool IsAboutCommand(std::uint32_t command);

private:
    IMessageBoxOwner& m_sheet;
    CMainDlgLogic& m_pageProxy;
};
