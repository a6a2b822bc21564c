#pragma once

#include "dialogkit/win_app.h"

// The control panel's application object: start-up checks, then the main window.
class CTarnlinkApp : public CWinApp {
public:
    // Always false: the program ends when the main window closes.
    bool InitInstance() override;
};
