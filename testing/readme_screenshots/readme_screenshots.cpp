// Brings an installed control panel into each state the README shows, one after
// the other, and holds it there until the picture is taken:
//   readme_screenshots <installation folder> [<picture name>]
// With a picture name it takes only the Proxy page with the server online, under that
// name (scripts/screenshots runs it so at another display scale).
// For each state it writes a line "<picture name><TAB><window caption>" and waits
// for any line on its input before it goes on. The service must be registered from
// the installation folder, whose Settings.ini must hold at least one enabled rule
// so that the server can start. scripts/screenshots installs the programs, runs
// this and takes the pictures, since only the X display knows a window manager's
// frame.
#include "config/settings_names.h"
#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"
#include "testing/panel_driver/child_process.h"
#include "testing/panel_driver/panel_driving.h"
#include "testing/panel_driver/ui_driver.h"
#include "testing/standin_harness/wait_until.h"
#include "testing/standin_proxy/log_lines.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <utility>

namespace {

using namespace std::chrono_literals;

// Carets, repaints and the Log page's next look settle within this.
constexpr auto kSettle = 700ms;
constexpr auto kExitPatience = 10s;

// One rule added while the server runs, so that the Proxy page shows its note.
constexpr wchar_t kAddedRuleName[] = L"Home users";
constexpr std::uint32_t kAddedFirst = Ip(192, 168, 10, 1);
constexpr std::uint32_t kAddedLast = Ip(192, 168, 10, 200);
constexpr wchar_t kAddedServer[] = L"vpn2.tarnlink.example";

class CReadmeTour {
public:
    explicit CReadmeTour(std::string installFolder) : m_installFolder(std::move(installFolder)) {}

    // The shots in the order the states follow one another; false at the first
    // state that was not reached, after saying which.
    bool Run() {
        return StartPanelAndServer() && ShootRuleEditor() && ShootProxyPage() && ShootLogPage() &&
               ShootAboutBox() && StopServerAndLeave();
    }

    bool RunProxyPageOnly(const std::string& name) {
        return StartPanelAndServer() && Pose(m_windows.Sheet(), name) && StopServerAndLeave();
    }

private:
    bool StartPanelAndServer() {
        if (m_panel.Start(m_installFolder + kPanelProgram) != 0 ||
            m_windows.WaitForSheet(m_panel.Id()) == nullptr) {
            return Fail("the control panel did not open");
        }
        if (!ui::Click(m_windows.ProxyPage(), IDC_START_STOP) ||
            !m_windows.WaitForServerState(std::wstring(texts::kStopButton), true,
                                          std::wstring(texts::kServerOnline)) ||
            !m_windows.WaitForColour(IDC_STATUS, kGreen)) {
            return Fail("the server did not go online");
        }
        return true;
    }

    bool ShootRuleEditor() {
        HWND editor = m_windows.OpenNewRule();
        if (editor == nullptr) {
            return Fail("the rule editor did not open");
        }
        FillRule(editor, kAddedRuleName, kAddedFirst, kAddedLast, kAddedServer);
        if (!Pose(editor, "rule_editor")) {
            return false;
        }
        if (!ui::Click(editor, IDOK) || !ui::WaitUntilDialogGone(m_panel.Id(), kNewRuleCaption)) {
            return Fail("the rule editor did not take the rule");
        }
        return true;
    }

    bool ShootProxyPage() {
        if (!m_windows.WaitForColour(IDC_NOTE, kRed)) {
            return Fail("the Proxy page shows no note after the new rule");
        }
        return Pose(m_windows.Sheet(), "proxy_page");
    }

    bool ShootLogPage() {
        HWND log = m_windows.ShowLogPage();
        if (log == nullptr) {
            return Fail("the Log page did not open");
        }
        const std::wstring logPath = Widen(m_installFolder + settings::kDefaultLogFileName);
        if (!ui::WaitForText(log, IDC_LOG_PATH, logPath)) {
            return Fail("the Log page does not show the installation's log file");
        }
        if (!WaitUntil(
                [&] {
                    return ui::ControlText(log, IDC_LOG_VIEW).find(Widen(standin::kStartedLine)) !=
                           std::wstring::npos;
                },
                ui::kUiPatience)) {
            return Fail("the Log page does not show the service's lines");
        }
        return Pose(m_windows.Sheet(), "log_page");
    }

    bool ShootAboutBox() {
        m_windows.ShowProxyPage();
        HWND about = m_windows.OpenAboutBox();
        if (about == nullptr) {
            return Fail("the About box did not open");
        }
        if (!Pose(about, "about_box")) {
            return false;
        }
        if (!ui::Click(about, IDOK) || !ui::WaitUntilDialogGone(m_panel.Id(), kAboutCaption)) {
            return Fail("the About box did not close");
        }
        return true;
    }

    // Leaves the installation as it was found: server stopped, rules unchanged.
    bool StopServerAndLeave() {
        if (!ui::Click(m_windows.ProxyPage(), IDC_START_STOP) ||
            !m_windows.WaitForServerState(std::wstring(texts::kStartButton), true,
                                          std::wstring(texts::kServerOffline))) {
            return Fail("the server did not stop");
        }
        if (!ui::Click(m_windows.Sheet(), IDCANCEL) ||
            !m_panel.WaitForExit(kExitPatience).has_value()) {
            return Fail("the control panel did not close");
        }
        return true;
    }

    // Names the picture and the window to take, once the window has settled, and
    // waits until it is taken.
    bool Pose(HWND window, const std::string& name) {
        Sleep(static_cast<DWORD>(kSettle.count()));
        std::string caption;
        for (wchar_t c : ui::Text(window)) {
            caption += static_cast<char>(c); // our captions are ASCII
        }
        std::printf("%s\t%s\n", name.c_str(), caption.c_str());
        std::fflush(stdout);
        std::string taken;
        if (!std::getline(std::cin, taken)) {
            return Fail("nobody took the picture " + name);
        }
        return true;
    }

    static bool Fail(const std::string& what) {
        std::fprintf(stderr, "readme_screenshots: %s\n", what.c_str());
        return false;
    }

    std::string m_installFolder;
    CChildProcess m_panel;
    CPanelWindows m_windows;
};

// The folder with a backslash at its end.
std::string AsFolder(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: readme_screenshots <installation folder> [<picture name>]\n");
        return 2;
    }
    CReadmeTour tour(AsFolder(argv[1]));
    return (argc == 3 ? tour.RunProxyPageOnly(argv[2]) : tour.Run()) ? 0 : 1;
}
