// Every message box of the control panel as it reaches MessageBoxW: text, caption, icon
// and buttons. The expected column is written from what the user must see, so a warning
// shown with the information icon, or a question without its Cancel button, fails here.
#include "panel/message_box_win32.h"
#include "panel/panel_texts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

// One call of MessageBoxW as the program made it.
struct ShownBox {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    UINT style = 0;
};

// Takes the place of user32's MessageBoxW in this program's import table while it
// lives, so that the panel's own message box layer runs unchanged and shows nothing.
class CMessageBoxRecorder {
public:
    CMessageBoxRecorder() : m_slot(ImportSlot("user32.dll", "MessageBoxW")) {
        if (m_slot != nullptr) {
            m_original = *m_slot;
            Patch(&Record);
        }
    }
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;
    ~CMessageBoxRecorder() {
        if (m_slot != nullptr) {
            Patch(m_original);
        }
    }

    bool IsActive() const { return m_slot != nullptr; }
    // The last box shown, and forgets it.
    static ShownBox TakeLast() { return std::exchange(s_last, ShownBox{}); }

private:
    using MessageBoxFunction = decltype(&::MessageBoxW);

    static int WINAPI Record(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style) {
        s_last = {owner, text != nullptr ? text : L"", caption != nullptr ? caption : L"", style};
        return IDOK;
    }

    // The import address slot of one function of one DLL in this program's image.
    static MessageBoxFunction* ImportSlot(const char* dll, const char* function) {
        auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* entry =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             entry->Name != 0; ++entry) {
            if (::lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) {
                continue;
            }
            const auto* names =
                reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                    continue;
                }
                const auto* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                    return reinterpret_cast<MessageBoxFunction*>(&slots->u1.Function);
                }
            }
        }
        return nullptr;
    }

    void Patch(MessageBoxFunction function) {
        DWORD protection = 0;
        ::VirtualProtect(m_slot, sizeof *m_slot, PAGE_READWRITE, &protection);
        *m_slot = function;
        ::VirtualProtect(m_slot, sizeof *m_slot, protection, &protection);
    }

    static inline ShownBox s_last;
    MessageBoxFunction* m_slot;
    MessageBoxFunction m_original = nullptr;
};

// The caption of boxes that give none: this program's file name without extension.
std::wstring OwnName() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L'\\') + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

struct ExpectedBox {
    const PanelMessage& message;
    const wchar_t* text;
    const wchar_t* caption; // nullptr: the application's name
    UINT style;
};

const ExpectedBox kEveryBox[] = {
    // Start-up.
    {texts::kAnotherInstance, L"Another instance of Tarnlink Control Panel is already running!",
     L"Tarnlink Control Panel", MB_OK | MB_ICONINFORMATION},
    {texts::kNoAdminRights,
     L"You must have administrator privileges to configure Tarnlink!\n\nPlease right-click the "
     L"program and select \"Run as administrator\" command.",
     L"Tarnlink Control Panel", MB_OK | MB_ICONERROR},
    // Leaving with OK.
    {texts::kSaveBeforeExit, L"Settings were modified.\nDo you want to save it before exit?",
     L"Settings modified", MB_YESNOCANCEL | MB_ICONQUESTION},
    {texts::kRestartAfterSave, L"You need to Restart server to changes to have effect.", nullptr,
     MB_OK | MB_ICONINFORMATION},
    // Proxy page.
    {texts::kNoRuleToRun, L"To run the server please create at least one rule.", L"Tarnlink",
     MB_OK | MB_ICONWARNING},
    {texts::kNoEnabledRuleToRun, L"To run the server please enable at least one rule.", L"Tarnlink",
     MB_OK | MB_ICONWARNING},
    {texts::kOpenServiceFailed, L"Could not open Tarnlink Service, error = %d", nullptr, MB_OK},
    {texts::kStartServiceFailed, L"Could not start Tarnlink Service, error = %d", nullptr, MB_OK},
    {texts::kStopServiceFailed, L"Could not stop Tarnlink Service, error = %d", nullptr, MB_OK},
    {texts::kStatusChangeTimedOut,
     L"Error: Server failed to change the status.\nPlease see log file for more info.", nullptr,
     MB_OK},
    {texts::kRemoveWithoutSelection, L"Please select the rule(s) first.", L"Remove Rule",
     MB_OK | MB_ICONINFORMATION},
    {texts::kEditWithoutSelection, L"Please selecte the rule first", L"Rule Edit",
     MB_OK | MB_ICONINFORMATION},
    // Rule editor.
    {texts::kServerAddressMissing, L"Please specify a VPN Server address", L"Rule",
     MB_OK | MB_ICONINFORMATION},
    {texts::kAddressRangeInvalid, L"Please specify a correct IP address range", L"Rule",
     MB_OK | MB_ICONINFORMATION},
    // Log page.
    {texts::kLogFileChanged, L"You need to Stop and Start server to changes to have effect.",
     nullptr, MB_OK | MB_ICONINFORMATION},
};

TEST(MessageBoxStyles, EveryBoxHasItsTextCaptionIconAndButtons) {
    const CMessageBoxRecorder recorder;
    ASSERT_TRUE(recorder.IsActive()) << "MessageBoxW is not imported by this program";
    const HWND owner = ::GetDesktopWindow();
    for (const ExpectedBox& expected : kEveryBox) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(expected.text)));
        ShowMessageBox(owner, MakeRequest(expected.message));
        const ShownBox shown = CMessageBoxRecorder::TakeLast();
        EXPECT_EQ(shown.owner, owner);
        EXPECT_EQ(shown.text, expected.text);
        EXPECT_EQ(shown.caption, expected.caption != nullptr ? expected.caption : OwnName());
        EXPECT_EQ(shown.style, expected.style) << std::hex << "shown 0x" << shown.style;
    }
}

} // namespace
