#pragma once

#include "panel/app_startup.h"

// The start-up steps on Windows, ending in the modal run of the main window.
class CWin32StartupPlatform : public IStartupPlatform {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    void RegisterCommonControls() override;
    bool ClaimSingleInstance(std::wstring_view lockName) override;
    void LoadRichEdit() override;
    bool HasAdminRights() override;
    void RunMainWindow() override;
};
