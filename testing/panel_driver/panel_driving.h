#pragma once

#include "testing/panel_driver/screen_capture.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <string>

// Names of the programs under test and what the user sees of them.
inline constexpr char kPanelProgram[] = "Tarnlink.exe";
inline constexpr char kInstallerProgram[] = "Tarnward.exe";
// The caption of message boxes that give none: the panel's file name without extension.
inline constexpr wchar_t kPanelName[] = L"Tarnlink";
inline constexpr wchar_t kSheetCaption[] = L"Tarnlink Control Panel v1.0";
inline constexpr wchar_t kNewRuleCaption[] = L"New Rule";
inline constexpr wchar_t kAboutCaption[] = L"About Tarnlink";

// An ASCII path or text as the panel shows it.
std::wstring Widen(const std::string& text);

// Status colours on the screen, as COLORREF values.
inline constexpr screen::Colour kRed = 0x0000FF;
inline constexpr screen::Colour kGreen = 0x00C800;

// The running control panel's main window, worked as a user does: for the
// scenarios and for the README's screenshots alike.
class CPanelWindows {
public:
    // Waits for the sheet of the panel process; the sheet, or nullptr.
    HWND WaitForSheet(DWORD processId);

    HWND Sheet() const { return m_sheet; }
    HWND ProxyPage() const;
    // Brings the Log page to the front (creating it the first time) and returns it.
    HWND ShowLogPage() const;
    HWND ShowProxyPage() const;

    // Clicks "New Rule" and waits for the editor; the editor, or nullptr.
    HWND OpenNewRule() const;
    // Opens the About box from the system menu's entry; the box, or nullptr.
    HWND OpenAboutBox() const;
    // Opens "New Rule", fills it in and confirms it; true when the editor closed.
    bool AddRule(const std::wstring& name, std::uint32_t first, std::uint32_t last,
                 const std::wstring& server) const;

    // The start/stop area shows this button text (and enabled state) and status line.
    bool WaitForServerState(const std::wstring& button, bool enabled,
                            const std::wstring& status) const;
    // The control of the Proxy page shows enough pixels of exactly this colour.
    bool WaitForColour(int controlId, screen::Colour colour) const;

private:
    DWORD m_processId = 0;
    HWND m_sheet = nullptr;
};

// An address with the first dotted field in the high byte, as the editor's fields take it.
constexpr std::uint32_t Ip(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    return (a << 24) | (b << 16) | (c << 8) | d;
}

// Fills in the rule editor's fields without confirming them.
void FillRule(HWND editor, const std::wstring& name, std::uint32_t first, std::uint32_t last,
              const std::wstring& server);
