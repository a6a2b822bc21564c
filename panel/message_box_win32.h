#pragma once

#include "panel/message_box.h"

#include <windows.h>

// Shows a message of the panel's logic as a Win32 message box owned by owner (may be
// nullptr); an empty caption becomes the application's name.
MessageAnswer ShowMessageBox(HWND owner, const MessageRequest& request);
