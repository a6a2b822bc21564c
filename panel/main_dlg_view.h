#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One row of the rule list: the texts of its three columns and its check box.
struct RuleRow {
    std::wstring name;
    std::wstring source;
    std::wstring destination;
    bool checked = false;
};

// Colours of the page's labels as COLORREF values (red in the low byte).
namespace colours {
inline constexpr std::uint32_t kOnline = 0x00C800;  // RGB(0, 200, 0)
inline constexpr std::uint32_t kOffline = 0x0000FF; // RGB(255, 0, 0)
inline constexpr std::uint32_t kNote = 0x0000FF;    // the note is always red
} // namespace colours

// The start/stop area: the button, and the status line in its colour.
struct ServerDisplay {
    std::wstring_view buttonText;
    bool buttonEnabled = false;
    std::wstring_view statusText;
    std::uint32_t statusColour = 0;
};

// What the Proxy page's logic shows in its window, each part as a whole: the Win32
// page puts it into its controls, tests keep it. Nothing shown here is reported back
// to the logic as a change of the user's.
class IMainDlgView {
public:
    virtual ~IMainDlgView() = default;

    // One row per rule, row i for rule i, in place of the rows shown; none selected.
    virtual void ShowRules(const std::vector<RuleRow>& rows) = 0;
    virtual void ShowServer(const ServerDisplay& display) = 0;
    // The red note that changes take effect after a restart of the server.
    virtual void ShowNote(bool shown) = 0;
    // Starts (or restarts) the page's window timer; 0, or the platform's error code.
    virtual std::uint32_t StartTimer(unsigned id, unsigned periodMs) = 0;
};
