#pragma once

#include "testing/panel_driver/child_process.h"
#include "testing/panel_driver/panel_driving.h"
#include "testing/panel_driver/screen_capture.h"
#include "testing/panel_driver/ui_driver.h"
#include "testing/standin_harness/standin_install.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// One scenario: a fresh folder with the panel, Tarnward and the stand-in Proxy.exe,
// the service registered by "Tarnward.exe -i", and the panel started on demand.
// Leaves a screenshot under the build folder when the scenario fails.
class PanelScenario : public ::testing::Test, protected CPanelWindows {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the panel and waits for its sheet; the sheet, or nullptr.
    HWND StartPanel();
    DWORD PanelId() const { return m_panel.Id(); }

    std::string SettingsPath() const;
    bool SettingsExist() const;
    std::string SettingsText() const;
    void WriteSettings(const std::string& text) const;
    std::wstring PanelFolder() const;

    CStandinInstall m_install;
    CChildProcess m_panel;
};
