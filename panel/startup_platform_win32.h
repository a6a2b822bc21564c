#pragma once

#include "panel/app_startup.h"

// The start-up steps on Windows, ending in the modal run of the main window.
class CWin32StartupPlatform : public IStartupPlatform {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    void RegisterCommonControls(std::uint32_t structSize, std::uint32_t classes) override;
    void RunDefaultInitialisation() override;
    std::uint32_t CreateInstanceMutex(std::wstring_view name) override;
    void EnableControlContainer() override;
    void LoadRichEdit() override;
    void SetRegistryKey(std::wstring_view company) override;
    void RunMainWindow() override;
};
