#include "panel_fixture.h"

#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"
#include "testing/standin_harness/wait_until.h"

#include <richedit.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

// The About box and its links, and Help and F1 on both pages: what the panel asks the
// shell to open, as the shell's handler of web and mail addresses receives it.
namespace {

using namespace std::chrono_literals;

constexpr char kRecorderProgram[] = "shell_open_recorder.exe";
constexpr char kOpenedRecord[] = "opened.txt";
constexpr wchar_t kAboutCaption[] = L"About Tarnlink";
// Ample time for the shell to start a handler that was asked wrongly, so that
// "nothing was opened" is worth something.
constexpr auto kNothingOpens = 2s;

// The shell's open command for one kind of address, replaced while this object lives.
// The shell reads it from the machine's classes, so the old command is put back.
class CShellHandler {
public:
    CShellHandler(const std::wstring& scheme, const std::wstring& command)
        : m_key(L"Software\\Classes\\" + scheme + L"\\shell\\open\\command") {
        wchar_t old[1024] = {};
        DWORD size = sizeof old;
        if (RegGetValueW(HKEY_LOCAL_MACHINE, m_key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, old,
                         &size) == ERROR_SUCCESS) {
            m_old = old;
        }
        m_set = Set(command);
    }
    CShellHandler(const CShellHandler&) = delete;
    CShellHandler& operator=(const CShellHandler&) = delete;
    ~CShellHandler() {
        if (m_old) {
            Set(*m_old);
        } else {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, m_key.c_str(), nullptr);
        }
    }

    bool IsSet() const { return m_set; }

private:
    bool Set(const std::wstring& command) const {
        const auto bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
        return RegSetKeyValueW(HKEY_LOCAL_MACHINE, m_key.c_str(), nullptr, REG_SZ, command.c_str(),
                               bytes) == ERROR_SUCCESS;
    }

    std::wstring m_key;
    std::optional<std::wstring> m_old;
    bool m_set = false;
};

// A mouse message over the first characters of a one-line field.
void MouseOver(HWND field, UINT message, WPARAM keys) {
    RECT client{};
    GetClientRect(field, &client);
    PostMessageW(field, message, keys, MAKELPARAM(4, client.bottom / 2));
}

void LeftClick(HWND field) {
    MouseOver(field, WM_LBUTTONDOWN, MK_LBUTTON);
    MouseOver(field, WM_LBUTTONUP, 0);
}

// The selection of an edit field as first and last character.
std::pair<int, int> Selection(HWND field) {
    const auto range = static_cast<DWORD>(ui::Send(field, EM_GETSEL, 0, 0));
    return {LOWORD(range), HIWORD(range)};
}

class AboutAndHelp : public PanelScenario {
protected:
    void SetUp() override {
        PanelScenario::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        ASSERT_EQ(m_install.CopyProgram(kRecorderProgram), 0u);
        const std::wstring command = L"\"" + Widen(m_install.PathOf(kRecorderProgram)) + L"\" \"" +
                                     Widen(m_install.PathOf(kOpenedRecord)) + L"\" \"%1\"";
        m_webHandler.emplace(L"http", command);
        m_mailHandler.emplace(L"mailto", command);
        ASSERT_TRUE(m_webHandler->IsSet() && m_mailHandler->IsSet());
    }

    void TearDown() override {
        PanelScenario::TearDown();
        m_webHandler.reset();
        m_mailHandler.reset();
    }

    // The addresses the shell was asked to open so far, in order.
    std::vector<std::wstring> Opened() const {
        std::vector<std::wstring> opened;
        std::istringstream lines(m_install.ReadFile(kOpenedRecord));
        for (std::string line; std::getline(lines, line);) {
            opened.push_back(Widen(line));
        }
        return opened;
    }

    // The addresses once count of them have been opened (or what there is by then).
    std::vector<std::wstring> WaitForOpened(std::size_t count) const {
        WaitUntil([&] { return Opened().size() >= count; }, ui::kUiPatience);
        return Opened();
    }

    // Nothing more was opened for a while.
    bool NothingMoreOpens(std::size_t count) const {
        return !WaitUntil([&] { return Opened().size() > count; }, kNothingOpens);
    }

    // F1 as the keyboard gives it to the panel's focused window.
    void PressF1() const {
        SetForegroundWindow(Sheet());
        WaitUntil([&] { return GetForegroundWindow() == Sheet(); }, ui::kUiPatience, 50ms);
        INPUT keys[2] = {};
        keys[0].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = VK_F1;
        keys[1] = keys[0];
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    }

    std::optional<CShellHandler> m_webHandler;
    std::optional<CShellHandler> m_mailHandler;
};

TEST_F(AboutAndHelp, AboutBoxLinksOpenThroughTheShellOnALeftPressOnly) {
    ASSERT_NE(StartPanel(), nullptr);
    HWND about = OpenAboutBox();
    ASSERT_NE(about, nullptr);
    HWND web = GetDlgItem(about, IDC_WEB_LINK);
    HWND mail = GetDlgItem(about, IDC_MAIL_LINK);
    const std::wstring site = ui::Text(web);
    EXPECT_EQ(site.rfind(L"http://", 0), 0u) << "the web site: " << testing::PrintToString(site);
    EXPECT_EQ(site, texts::kWebSiteUrl);
    EXPECT_EQ(ui::Text(mail), L"mailto:" + std::wstring(texts::kSupportEmail));

    // The program's icon beside the name.
    HWND icon = FindWindowExW(about, nullptr, L"Static", nullptr);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(GetWindowLongW(icon, GWL_STYLE) & SS_TYPEMASK, SS_ICON);
    EXPECT_NE(ui::Send(icon, STM_GETICON, 0, 0), 0);

    // Other buttons, moves and releases over a link open nothing.
    MouseOver(web, WM_RBUTTONDOWN, MK_RBUTTON);
    MouseOver(web, WM_RBUTTONUP, 0);
    MouseOver(web, WM_MOUSEMOVE, 0);
    MouseOver(web, WM_LBUTTONUP, 0);
    MouseOver(mail, WM_MBUTTONDOWN, MK_MBUTTON);
    EXPECT_TRUE(NothingMoreOpens(0)) << testing::PrintToString(Opened());

    // A web address goes as it is, "www" inside it or not, and is not left selected.
    LeftClick(web);
    EXPECT_EQ(WaitForOpened(1), std::vector<std::wstring>{site});
    EXPECT_EQ(Selection(web), std::make_pair(0, 0));

    LeftClick(mail);
    EXPECT_EQ(WaitForOpened(2).back(), ui::Text(mail));
    EXPECT_EQ(Selection(mail), std::make_pair(0, 0));

    // A link that starts with "www" gets "http://" in front.
    ui::SetControlText(about, IDC_WEB_LINK, L"www.tarnlink.example/start");
    LeftClick(web);
    EXPECT_EQ(WaitForOpened(3).back(), L"http://www.tarnlink.example/start");
    EXPECT_TRUE(NothingMoreOpens(3));

    ASSERT_TRUE(ui::Click(about, IDOK));
    EXPECT_TRUE(ui::WaitUntilDialogGone(PanelId(), kAboutCaption));
    EXPECT_TRUE(IsWindowVisible(Sheet()));
}

TEST_F(AboutAndHelp, HelpOnEitherPageOpensTheWebSiteAndF1OpensNothing) {
    ASSERT_NE(StartPanel(), nullptr);
    const std::wstring site(texts::kWebSiteUrl);

    PressF1();
    EXPECT_TRUE(NothingMoreOpens(0)) << testing::PrintToString(Opened());
    ASSERT_TRUE(ui::Click(Sheet(), IDHELP));
    EXPECT_EQ(WaitForOpened(1), std::vector<std::wstring>{site});

    ASSERT_NE(ShowLogPage(), nullptr);
    PressF1();
    EXPECT_TRUE(NothingMoreOpens(1)) << testing::PrintToString(Opened());
    ASSERT_TRUE(ui::Click(Sheet(), IDHELP));
    EXPECT_EQ(WaitForOpened(2), (std::vector<std::wstring>{site, site}));

    // The sheet stays open.
    EXPECT_TRUE(NothingMoreOpens(2));
    EXPECT_TRUE(m_panel.IsRunning());
    EXPECT_TRUE(IsWindowVisible(Sheet()));
}

} // namespace
