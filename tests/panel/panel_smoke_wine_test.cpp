// Tarnlink.exe started for real under Wine: its window with both pages and the
// server's state, and its end when the service is missing.
#include "service/service_values.h"
#include "testing/standin_harness/service_registry.h"
#include "testing/standin_harness/standin_install.h"
#include "testing/standin_harness/wait_until.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

// A first start of a GUI program in a fresh Wine prefix can take a while.
constexpr auto kWindowWait = 30s;
constexpr auto kStatusWait = 10s;
constexpr DWORD kExitWaitMs = 15000;

constexpr wchar_t kSheetCaption[] = L"Tarnlink Control Panel v1.0";
constexpr wchar_t kMessageBoxClass[] = L"#32770";
constexpr int kStatusId = 1008;
constexpr int kStartStopId = 1007;

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

// Tarnlink.exe running from the stand-in's folder; ended when the test is done.
class CPanelProcess {
public:
    explicit CPanelProcess(const std::string& folder) {
        std::string commandLine = "\"" + folder + "Tarnlink.exe\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        m_started = ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                     nullptr, folder.c_str(), &startup, &m_info) != FALSE;
    }
    CPanelProcess(const CPanelProcess&) = delete;
    CPanelProcess& operator=(const CPanelProcess&) = delete;
    ~CPanelProcess() {
        if (!m_started) {
            return;
        }
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_info.hProcess, 1);
            ::WaitForSingleObject(m_info.hProcess, kExitWaitMs);
        }
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }

    bool Started() const { return m_started; }
    HANDLE Handle() const { return m_info.hProcess; }

    // A visible top-level window of this process with the caption (and class).
    HWND FindTopWindow(const wchar_t* caption, const wchar_t* className = nullptr) const {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                found = ::FindWindowExW(nullptr, nullptr, className, caption);
                while (found != nullptr && !Owns(found)) {
                    found = ::FindWindowExW(nullptr, found, className, caption);
                }
                return found != nullptr && ::IsWindowVisible(found);
            },
            kWindowWait);
        return found;
    }

    // The exit code once the process has ended, or STILL_ACTIVE.
    DWORD WaitForExit() const {
        ::WaitForSingleObject(m_info.hProcess, kExitWaitMs);
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

    // The captions of a tab control of this process: its item texts live in the
    // process's memory, so the request and its answer go through there.
    std::vector<std::wstring> TabTexts(HWND tab) const {
        constexpr int kTextCapacity = 128;
        struct RemoteItem {
            TCITEMW item;
            wchar_t text[kTextCapacity];
        };
        std::vector<std::wstring> texts;
        void* remote = ::VirtualAllocEx(m_info.hProcess, nullptr, sizeof(RemoteItem),
                                        MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (remote == nullptr) {
            return texts;
        }
        auto* remoteItem = static_cast<RemoteItem*>(remote);
        const auto count = ::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            RemoteItem local{};
            local.item.mask = TCIF_TEXT;
            local.item.pszText = remoteItem->text;
            local.item.cchTextMax = kTextCapacity;
            ::WriteProcessMemory(m_info.hProcess, remote, &local, sizeof local, nullptr);
            ::SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(remote));
            ::ReadProcessMemory(m_info.hProcess, remote, &local, sizeof local, nullptr);
            local.text[kTextCapacity - 1] = L'\0';
            texts.emplace_back(local.text);
        }
        ::VirtualFreeEx(m_info.hProcess, remote, 0, MEM_RELEASE);
        return texts;
    }

private:
    bool Owns(HWND window) const {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        return process == m_info.dwProcessId;
    }

    PROCESS_INFORMATION m_info{};
    bool m_started = false;
};

// The texts of a window's static children, such as a message box's message.
BOOL CALLBACK CollectStaticText(HWND child, LPARAM context) {
    wchar_t className[32] = {};
    ::GetClassNameW(child, className, 32);
    if (::lstrcmpiW(className, L"Static") == 0) {
        reinterpret_cast<std::vector<std::wstring>*>(context)->push_back(TextOf(child));
    }
    return TRUE;
}

std::vector<std::wstring> StaticTexts(HWND parent) {
    std::vector<std::wstring> texts;
    ::EnumChildWindows(parent, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

class PanelSmokeWineTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A registration left behind by an aborted run would change what the panel sees.
        ASSERT_TRUE(service_registry::RemoveCompletely(scm::kServiceName));
        ASSERT_EQ(install.SetupError(), 0u);
        ASSERT_EQ(install.CopyProgram("Tarnlink.exe"), 0u);
    }

    CStandinInstall install;
};

TEST_F(PanelSmokeWineTest, ShowsBothPagesAndTheStoppedServerThenClosesWithTheCloseBox) {
    ASSERT_EQ(install.Register(), 0u);
    CPanelProcess panel(install.Folder());
    ASSERT_TRUE(panel.Started());

    HWND sheet = panel.FindTopWindow(kSheetCaption);
    ASSERT_NE(sheet, nullptr);

    HWND tab = ::FindWindowExW(sheet, nullptr, WC_TABCONTROLW, nullptr);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(panel.TabTexts(tab), (std::vector<std::wstring>{L"Proxy", L"Log"}));

    auto page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(WaitUntil(
        [&] { return TextOf(::GetDlgItem(page, kStatusId)) == L"Server is Offline"; }, kStatusWait))
        << "status: " << testing::PrintToString(TextOf(::GetDlgItem(page, kStatusId)));
    EXPECT_EQ(TextOf(::GetDlgItem(page, kStartStopId)), L"Start");

    ::PostMessageW(sheet, WM_CLOSE, 0, 0);
    EXPECT_EQ(panel.WaitForExit(), 0u);
}

TEST_F(PanelSmokeWineTest, WithoutTheServiceTellsTheErrorAndEndsWithItsCode) {
    CPanelProcess panel(install.Folder());
    ASSERT_TRUE(panel.Started());

    HWND box = panel.FindTopWindow(L"Tarnlink", kMessageBoxClass);
    ASSERT_NE(box, nullptr);
    const auto texts = StaticTexts(box);
    EXPECT_NE(
        std::find(texts.begin(), texts.end(), L"Could not open Tarnlink Service, error = 1060"),
        texts.end())
        << testing::PrintToString(texts);

    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(panel.WaitForExit(), 1060u);
}

} // namespace
