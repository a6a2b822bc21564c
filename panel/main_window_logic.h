#pragma once

#include "panel/message_box.h"
#include "panel/rules_saver.h"

#include <cstdint>

// Behaviour of the main property sheet that does not need a window.
class CMainWindowLogic {
public:
    // What becomes of a command after the sheet has looked at it.
    enum class CommandRoute { Default, Handled };

    static constexpr std::uint32_t kAboutCommand = 0x0010;
    static constexpr std::uint32_t kOkCommand = 1; // IDOK

    // sheet owns the message boxes; saver is the Proxy page.
    CMainWindowLogic(IMessageBoxOwner& sheet, IRulesSaver& saver);

    // The sheet's WM_COMMAND: leaving with OK while rules are modified asks
    // whether to save them first.
    CommandRoute OnCommand(std::uint32_t commandWord);

    // Whether a WM_SYSCOMMAND value is the About entry (the platform uses the low
    // four bits itself).
    static bool IsAboutCommand(std::uint32_t command);

    // Top-left corner of the icon drawn centred in a minimized window's client area.
    struct Point {
        int x;
        int y;
    };
    static Point MinimizedIconOrigin(int clientWidth, int clientHeight, int iconWidth,
                                     int iconHeight);

private:
    IMessageBoxOwner& m_sheet;
    IRulesSaver& m_saver;
};
