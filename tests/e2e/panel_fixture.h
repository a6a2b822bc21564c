#pragma once

#include "child_process.h"
#include "screen_capture.h"
#include "ui_driver.h"

#include "testing/standin_harness/standin_install.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

// Names of the programs under test and what the user sees of them.
inline constexpr char kPanelProgram[] = "Tarnlink.exe";
inline constexpr char kInstallerProgram[] = "Tarnward.exe";
// The caption of message boxes that give none: the panel's file name without extension.
inline constexpr wchar_t kPanelName[] = L"Tarnlink";
inline constexpr wchar_t kSheetCaption[] = L"Tarnlink Control Panel v1.0";

// An ASCII path or text as the panel shows it.
std::wstring Widen(const std::string& text);

// Status colours on the screen, as COLORREF values.
inline constexpr screen::Colour kRed = 0x0000FF;
inline constexpr screen::Colour kGreen = 0x00C800;

// One scenario: a fresh folder with the panel, Tarnward and the stand-in Proxy.exe,
// the service registered by "Tarnward.exe -i", and the panel started on demand.
// Leaves a screenshot under the build folder when the scenario fails.
class PanelScenario : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the panel and waits for its sheet; the sheet, or nullptr.
    HWND StartPanel();
    DWORD PanelId() const { return m_panel.Id(); }
    HWND Sheet() const { return m_sheet; }
    HWND ProxyPage() const;
    // Brings the Log page to the front (creating it the first time) and returns it.
    HWND ShowLogPage() const;
    HWND ShowProxyPage() const;

    // Opens "New Rule", fills it in and confirms it; true when the editor closed.
    bool AddRule(const std::wstring& name, std::uint32_t first, std::uint32_t last,
                 const std::wstring& server) const;

    // The start/stop area shows this button text (and enabled state) and status line.
    bool WaitForServerState(const std::wstring& button, bool enabled,
                            const std::wstring& status) const;
    // The control of the Proxy page shows enough pixels of exactly this colour.
    bool WaitForColour(int controlId, screen::Colour colour) const;

    std::string SettingsPath() const;
    bool SettingsExist() const;
    std::string SettingsText() const;
    void WriteSettings(const std::string& text) const;
    std::wstring PanelFolder() const;

    CStandinInstall m_install;
    CChildProcess m_panel;

private:
    HWND m_sheet = nullptr;
};
