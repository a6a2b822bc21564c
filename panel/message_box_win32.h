#pragma once

#include "dialogkit/window_handle.h"
#include "panel/message_box.h"

#include <windows.h>

// Shows a message of the panel's logic as a Win32 message box owned by owner (may be
// nullptr); an empty caption becomes the application's name.
MessageAnswer ShowMessageBox(HWND owner, const MessageRequest& request);

// The message boxes of one window, for the logic that asks for them; without a
// window (before any exists) they have no owner.
class CWindowMessageBoxes final : public IMessageBoxOwner {
public:
    CWindowMessageBoxes() = default;
    explicit CWindowMessageBoxes(const CWindowHandle& owner) : m_owner(&owner) {}

    MessageAnswer ShowMessage(const MessageRequest& request) override {
        return ShowMessageBox(m_owner != nullptr ? m_owner->GetSafeHwnd() : nullptr, request);
    }

private:
    const CWindowHandle* m_owner = nullptr;
};
