// Control wrappers with logic of their own, resources, system libraries, the file dialog.
#include "dialogkit/com_apartment.h"
#include "dialogkit/file_dialog.h"
#include "dialogkit/list_ctrl.h"
#include "dialogkit/resources.h"
#include "dialogkit/rich_edit_ctrl.h"
#include "dialogkit/system_library.h"
#include "modal_driver.h"
#include "test_ids.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <cwctype>
#include <fstream>
#include <string>

namespace {

// A control window of its own for one test, destroyed at the end.
class ScopedWindow {
public:
    ScopedWindow(const wchar_t* className, DWORD style)
        : m_hwnd(::CreateWindowExW(0, className, L"", WS_POPUP | style, 0, 0, 400, 300, nullptr,
                                   nullptr, nullptr, nullptr)) {}
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;
    ~ScopedWindow() { ::DestroyWindow(m_hwnd); }
    HWND get() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

std::wstring Lowercase(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

TEST(ListCtrlTest, RowsTextsChecksAndSelection) {
    ScopedWindow window(WC_LISTVIEWW, LVS_REPORT);
    CListCtrl list(window.get());

    list.SetExtendedStyle(LVS_EX_GRIDLINES);
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    // Exactly these two, grid lines gone.
    EXPECT_EQ(list.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE), 0x24);

    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    list.InsertColumn(1, L"Source", LVCFMT_LEFT, 120);
    for (int row = 0; row < 5; ++row)
        list.InsertItem(row, L"rule " + std::to_wstring(row));
    const std::wstring longText(700, L'a');
    EXPECT_TRUE(list.SetItemText(2, 1, longText));
    std::wstring shown(1024, L'\0');
    LVITEMW cell{};
    cell.iSubItem = 1;
    cell.pszText = shown.data();
    cell.cchTextMax = static_cast<int>(shown.size());
    shown.resize(static_cast<std::size_t>(
        list.SendMessage(LVM_GETITEMTEXTW, 2, reinterpret_cast<LPARAM>(&cell))));
    EXPECT_EQ(shown, longText);

    EXPECT_FALSE(list.GetCheck(1));
    list.SetCheck(1, true);
    EXPECT_TRUE(list.GetCheck(1));
    list.SetCheck(1, false);
    EXPECT_FALSE(list.GetCheck(1));

    LVITEMW selected{};
    selected.state = selected.stateMask = LVIS_SELECTED;
    list.SendMessage(LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));
    list.SendMessage(LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&selected));
    EXPECT_EQ(list.GetNextSelected(), 1);
    EXPECT_EQ(list.GetNextSelected(1), 3);
    EXPECT_EQ(list.GetNextSelected(3), -1);
}

TEST(RichEditTest, LimitPositionsAndSelectedText) {
    ScopedWindow window(L"RichEdit20W", ES_MULTILINE);
    ASSERT_NE(window.get(), nullptr);
    CRichEditCtrl view(window.get());

    view.ExLimitText(4 * 1024 * 1024);
    EXPECT_EQ(view.SendMessage(EM_GETLIMITTEXT), 4 * 1024 * 1024);

    view.SetWindowText(L"ab\r\ncd");
    EXPECT_EQ(view.GetTextLength(), 5); // a paragraph break is one position
    view.SetSel(view.GetTextLength(), view.GetTextLength());
    view.ReplaceSel(L"ef");
    view.SetSel(1, 4);
    EXPECT_EQ(view.GetSelText(), L"b\rc");
    view.SetSel(5, 7);
    EXPECT_EQ(view.GetSelText(), L"ef");
    view.SetSel(3, 3);
    EXPECT_EQ(view.GetSelText(), L"");
}

TEST(SystemLibraryTest, LoadsFromTheSystemFolderOnly) {
    ASSERT_TRUE(AfxInitRichEdit2());
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(::GetModuleHandleW(L"riched20.dll"), path, MAX_PATH);
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(Lowercase(path).rfind(Lowercase(system), 0), 0u) << Lowercase(path);

    // A file of that name in the program folder is never even looked at.
    const std::wstring probe = ProgramFolder() + L"dialogkit_probe.dll";
    { std::ofstream(probe.c_str()) << "not a library"; }
    ::SetLastError(0);
    EXPECT_EQ(::LoadLibraryW(L"dialogkit_probe.dll"), nullptr);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT)); // found it
    ::SetLastError(0);
    EXPECT_EQ(LoadSystemLibrary(L"dialogkit_probe.dll"), nullptr);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    ::DeleteFileW(probe.c_str());
}

// On a thread of its own: the test thread's COM state belongs to the other tests.
DWORD CALLBACK ApartmentProbe(void* context) {
    auto* seen = static_cast<HRESULT*>(context);
    {
        const CComApartment com;
        // A thread in a single-threaded apartment cannot join the multithreaded one.
        seen[0] = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    }
    // Left again: the thread may join any apartment now.
    seen[1] = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(seen[1])) {
        ::CoUninitialize();
    }
    return 0;
}

TEST(ComApartmentTest, ThreadIsApartmentThreadedWhileItLives) {
    HRESULT seen[2] = {E_FAIL, E_FAIL};
    HANDLE thread = ::CreateThread(nullptr, 0, &ApartmentProbe, seen, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    EXPECT_EQ(seen[0], RPC_E_CHANGED_MODE);
    EXPECT_EQ(seen[1], S_OK);
}

TEST(ResourcesTest, StringsLoadWholeAndMissingOnesAreEmpty) {
    EXPECT_EQ(LoadResourceString(IDS_TEST_STRING), L"Loaded text");
    EXPECT_EQ(LoadResourceString(IDS_TEST_STRING + 1), L"");
}

TEST(FileDialogTest, FilterBarsBecomeNulsWithADoubleEnd) {
    using namespace std::string_literals;
    EXPECT_EQ(FileDialogFilter(L"Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"),
              L"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(FileDialogFilter(L"Logs|*.log"), L"Logs\0*.log\0\0"s);
}

TEST(FileDialogTest, SaveDialogStartsWithTheNameAndAddsTheDefaultExtension) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring start = std::wstring(temp) + L"dialogkit_chosen";
    CFileDialog dialog(L"txt", start, OFN_HIDEREADONLY, L"Text Files (*.txt)|*.txt||");
    HWND shown = nullptr;
    ModalDriver driver({
        WaitFor([&] {
            shown = ::GetActiveWindow();
            return shown != nullptr && ::IsWindowVisible(shown);
        }),
        Do([&] { ::PostMessageW(shown, WM_COMMAND, IDOK, 0); }),
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(Lowercase(dialog.GetPathName()), Lowercase(start + L".txt"));
}

} // namespace
