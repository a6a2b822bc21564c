// The property sheet and its pages, run modally: the sheet's hooks, page activation,
// OK and Help routing, and the answers pages give to the sheet's notifications.
#include "dialogkit/command_ids.h"
#include "dialogkit/property_page.h"
#include "dialogkit/property_sheet.h"
#include "modal_driver.h"
#include "test_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kOtherCommand = 4242;

class TestPage : public CPropertyPage {
public:
    TestPage(UINT templateId, std::wstring text)
        : CPropertyPage(templateId), m_text(std::move(text)) {
        SetHasHelp(true);
    }

    std::wstring m_text;
    int m_helps = 0;
    int m_others = 0;
    int m_applies = 0;
    int m_activations = 0;
    bool m_refuse = false;

protected:
    void DoDataExchange(CDataExchange& dx) override { DDX_Text(dx, IDC_PAGE_EDIT, m_text); }
    bool OnSetActive() override {
        ++m_activations;
        return !m_refuse && CPropertyPage::OnSetActive();
    }
    void OnOK() override { ++m_applies; }
    MessageMap GetMessageMap() const override {
        static constexpr MessageEntry kMap[] = {
            on::Command<&TestPage::OnHelp>(ID_HELP),
            on::Command<&TestPage::OnOther>(kOtherCommand),
        };
        return kMap;
    }

private:
    void OnHelp() { ++m_helps; }
    void OnOther() { ++m_others; }
};

class TestSheet : public CPropertySheet {
public:
    TestSheet() : CPropertySheet(L"Test Sheet") {
        AddPage(&m_one);
        AddPage(&m_two);
    }

    TestPage m_one{IDD_TEST_PAGE_ONE, L"first"};
    TestPage m_two{IDD_TEST_PAGE_TWO, L"second"};
    int m_creates = 0;
    HWND m_firstPageAtInit = nullptr;
    bool m_holdOk = false;
    std::vector<UINT> m_commands;
    std::vector<UINT> m_sysCommands;
    int m_helpKeys = 0;

protected:
    bool OnInitDialog() override {
        const bool result = CPropertySheet::OnInitDialog();
        m_firstPageAtInit = m_one.GetSafeHwnd();
        return result;
    }
    bool OnCommand(WPARAM wParam, LPARAM lParam) override {
        m_commands.push_back(LOWORD(wParam));
        if (m_holdOk && LOWORD(wParam) == IDOK)
            return true;
        return CPropertySheet::OnCommand(wParam, lParam);
    }
    MessageMap GetMessageMap() const override {
        static constexpr MessageEntry kMap[] = {
            on::Create<&TestSheet::OnCreate>(),
            on::SysCommand<&TestSheet::OnSysCommand>(),
            on::HelpInfo<&TestSheet::OnHelpInfo>(),
        };
        return kMap;
    }

private:
    int OnCreate(CREATESTRUCTW*) {
        ++m_creates;
        return Default() == -1 ? -1 : 0;
    }
    void OnSysCommand(UINT command, LPARAM) {
        m_sysCommands.push_back(command);
        Default();
    }
    bool OnHelpInfo(HELPINFO*) {
        ++m_helpKeys;
        return true;
    }
};

HWND Sheet(const TestSheet& sheet) {
    return sheet.GetSafeHwnd();
}

HWND ActivePage(const TestSheet& sheet) {
    return reinterpret_cast<HWND>(::SendMessageW(Sheet(sheet), PSM_GETCURRENTPAGEHWND, 0, 0));
}

void SelectPage(const TestSheet& sheet, int index) {
    ::SendMessageW(Sheet(sheet), PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring PageText(const CPropertyPage& page) {
    return CWnd(::GetDlgItem(page.GetSafeHwnd(), IDC_PAGE_EDIT)).GetWindowText();
}

LRESULT SendSheetNotification(const CPropertyPage& page, HWND from, UINT code) {
    PSHNOTIFY notification{};
    notification.hdr = NMHDR{from, 0, code};
    return ::SendMessageW(page.GetSafeHwnd(), WM_NOTIFY, 0,
                          reinterpret_cast<LPARAM>(&notification));
}

TEST(PropertySheetTest, HooksSeeCreationAndAnInitialisedSheet) {
    TestSheet sheet;
    ModalDriver driver({Do([&] {
        ASSERT_NE(Sheet(sheet), nullptr);
        EXPECT_EQ(sheet.m_creates, 1);
        EXPECT_NE(sheet.m_firstPageAtInit, nullptr);   // the first page existed at OnInitDialog
        EXPECT_EQ(sheet.m_two.GetSafeHwnd(), nullptr); // not shown yet, so not created
        EXPECT_EQ(ActivePage(sheet), sheet.m_one.GetSafeHwnd());
        EXPECT_EQ(PageText(sheet.m_one), L"first");
        EXPECT_NE(sheet.GetDlgItem(ID_APPLY_NOW).GetSafeHwnd(), nullptr);
        EXPECT_TRUE(::IsWindowEnabled(sheet.GetDlgItem(IDHELP).GetSafeHwnd()));
        // The sheet's map sees system commands, and its default processing closes it.
        ::SendMessageW(Sheet(sheet), WM_SYSCOMMAND, SC_CLOSE, 0);
    })});
    EXPECT_EQ(sheet.DoModal(), 0); // closed without OK
    EXPECT_EQ(sheet.m_sysCommands, std::vector<UINT>{SC_CLOSE});
    EXPECT_EQ(sheet.m_one.m_applies, 0);
    EXPECT_EQ(sheet.GetSafeHwnd(), nullptr);
}

TEST(PropertySheetTest, OnCommandCanHoldOkAndOtherwiseOkAppliesTheCreatedPages) {
    TestSheet sheet;
    sheet.m_holdOk = true;
    ModalDriver driver({
        Do([&] { ClickButton(Sheet(sheet), IDOK); }),
        Do([&] {
            EXPECT_TRUE(::IsWindow(Sheet(sheet)));
            EXPECT_EQ(sheet.m_one.m_applies, 0);
            sheet.m_holdOk = false;
            ClickButton(Sheet(sheet), IDOK);
        }),
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.m_commands, (std::vector<UINT>{IDOK, IDOK}));
    EXPECT_EQ(sheet.m_one.m_applies, 1);
    EXPECT_EQ(sheet.m_two.m_applies, 0); // never shown, never created
}

TEST(PropertySheetTest, HelpAndUnknownCommandsReachTheActivePage) {
    TestSheet sheet;
    ModalDriver driver({Do([&] {
        ClickButton(Sheet(sheet), IDHELP);
        EXPECT_EQ(sheet.m_one.m_helps, 1);

        SelectPage(sheet, 1);
        EXPECT_EQ(ActivePage(sheet), sheet.m_two.GetSafeHwnd());
        ClickButton(Sheet(sheet), IDHELP);
        EXPECT_EQ(sheet.m_two.m_helps, 1);
        EXPECT_EQ(sheet.m_one.m_helps, 1);

        ::SendMessageW(Sheet(sheet), WM_COMMAND, kOtherCommand, 0);
        EXPECT_EQ(sheet.m_two.m_others, 1);

        // F1 reaches the sheet's own handler, whose answer goes back; no page is asked.
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.hItemHandle = Sheet(sheet);
        EXPECT_EQ(::SendMessageW(Sheet(sheet), WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
        EXPECT_EQ(sheet.m_helpKeys, 1);
        EXPECT_EQ(sheet.m_two.m_helps, 1);
        ClickButton(Sheet(sheet), IDCANCEL);
    })});
    EXPECT_EQ(sheet.DoModal(), 0); // closed without OK
    EXPECT_EQ(sheet.m_one.m_helps, 1);
    EXPECT_EQ(sheet.m_one.m_applies, 0);
}

TEST(PropertySheetTest, LaterActivationsRefreshThePageFromItsFields) {
    TestSheet sheet;
    ModalDriver driver({Do([&] {
        EXPECT_EQ(PageText(sheet.m_one), L"first");
        sheet.m_one.m_text = L"changed";
        SelectPage(sheet, 1);
        EXPECT_EQ(PageText(sheet.m_two), L"second");
        SelectPage(sheet, 0);
        EXPECT_EQ(PageText(sheet.m_one), L"changed");
        EXPECT_EQ(sheet.m_one.m_activations, 2);
        ClickButton(Sheet(sheet), IDCANCEL);
    })});
    EXPECT_EQ(sheet.DoModal(), 0); // closed without OK
}

TEST(PropertySheetTest, PagesAnswerTheSheetsNotificationsOnly) {
    TestSheet sheet;
    ModalDriver driver({Do([&] {
        TestPage& page = sheet.m_one;
        const int activations = page.m_activations;
        EXPECT_EQ(SendSheetNotification(page, Sheet(sheet), PSN_SETACTIVE), 0);
        page.m_refuse = true;
        EXPECT_EQ(SendSheetNotification(page, Sheet(sheet), PSN_SETACTIVE), -1);
        page.m_refuse = false;
        EXPECT_EQ(page.m_activations, activations + 2);

        EXPECT_EQ(SendSheetNotification(page, Sheet(sheet), PSN_APPLY), PSNRET_NOERROR);
        EXPECT_EQ(page.m_applies, 1);

        // The same codes from any other window are not the sheet's.
        HWND stranger = ::GetDlgItem(page.GetSafeHwnd(), IDC_PAGE_EDIT);
        SendSheetNotification(page, stranger, PSN_SETACTIVE);
        SendSheetNotification(page, stranger, PSN_APPLY);
        EXPECT_EQ(page.m_activations, activations + 2);
        EXPECT_EQ(page.m_applies, 1);
        ClickButton(Sheet(sheet), IDCANCEL);
    })});
    EXPECT_EQ(sheet.DoModal(), 0); // closed without OK
}

} // namespace
