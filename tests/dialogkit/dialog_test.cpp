// Modal dialogs: data exchange, message-map routing, reflection to control wrappers,
// the DWLP_MSGRESULT answers and handler failures.
#include "dialogkit/basic_controls.h"
#include "dialogkit/dialog.h"
#include "dialogkit/win_app.h"
#include "modal_driver.h"
#include "test_ids.h"

#include <gtest/gtest.h>

#include <richedit.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const COLORREF kRed = RGB(255, 0, 0);

// A label that draws its text in its own colour, as the panel's coloured labels do.
class ColourLabel : public CStatic {
public:
    COLORREF m_colour = kRed;
    HBRUSH m_ownBrush = nullptr;
    int m_attachments = 0;

protected:
    void PreSubclassWindow() override { ++m_attachments; }
    MessageMap GetMessageMap() const override {
        static constexpr MessageEntry kMap[] = {on::CtlColorReflect<&ColourLabel::CtlColor>()};
        return kMap;
    }

private:
    HBRUSH CtlColor(HDC dc, UINT) {
        ::SetTextColor(dc, m_colour);
        ::SetBkMode(dc, TRANSPARENT);
        return m_ownBrush;
    }
};

// An edit that takes its own EN_LINK notifications back from the parent.
class LinkEdit : public CWnd {
public:
    int m_links = 0;

protected:
    MessageMap GetMessageMap() const override {
        static constexpr MessageEntry kMap[] = {on::NotifyReflect<&LinkEdit::OnLink>(EN_LINK)};
        return kMap;
    }

private:
    void OnLink(NMHDR*, LRESULT* answer) {
        ++m_links;
        *answer = 7;
    }
};

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST_DIALOG) {}

    std::wstring m_text;
    std::uint32_t m_address = 0;
    ColourLabel m_label;
    LinkEdit m_edit;
    int m_clicks = 0;
    int m_listClicks = 0;
    std::vector<UINT_PTR> m_timers;
    bool m_throwOnClick = false;
    std::function<void(TestDialog&)> m_onInit;

protected:
    void DoDataExchange(CDataExchange& dx) override {
        DDX_Text(dx, IDC_TEST_EDIT, m_text);
        DDX_IPAddress(dx, IDC_TEST_IP, m_address);
        DDX_Control(dx, IDC_TEST_LABEL, m_label);
        DDX_Control(dx, IDC_TEST_EDIT, m_edit);
    }
    bool OnInitDialog() override {
        const bool setFocus = CDialog::OnInitDialog();
        if (m_onInit)
            m_onInit(*this);
        return setFocus;
    }
    MessageMap GetMessageMap() const override {
        static constexpr MessageEntry kMap[] = {
            on::ButtonClicked<&TestDialog::OnPress>(IDC_TEST_BUTTON),
            on::Notify<&TestDialog::OnListClick>(IDC_TEST_LIST, NM_CLICK),
            on::Timer<&TestDialog::OnTimer>(),
        };
        return kMap;
    }

private:
    void OnPress() {
        if (m_throwOnClick)
            throw std::runtime_error("boom");
        ++m_clicks;
    }
    void OnListClick(NMHDR*, LRESULT* answer) {
        ++m_listClicks;
        *answer = 42;
    }
    void OnTimer(UINT_PTR id) {
        m_timers.push_back(id);
        ::KillTimer(m_hWnd, id);
    }
};

// Paints everything on white, as the About box does.
class WhiteDialog : public TestDialog {
protected:
    MessageMap GetMessageMap() const override {
        static constexpr MessageEntry kMap[] = {on::CtlColor<&WhiteDialog::OnCtlColor>()};
        return kMap;
    }

private:
    HBRUSH OnCtlColor(HDC dc, HWND child, UINT kind) {
        ::SetBkMode(dc, TRANSPARENT);
        CDialog::OnCtlColor(dc, child, kind);
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    }
};

HWND Item(const CWnd& dialog, int id) {
    return ::GetDlgItem(dialog.GetSafeHwnd(), id);
}

std::wstring ItemText(const CWnd& dialog, int id) {
    return CWnd(Item(dialog, id)).GetWindowText();
}

// What an IP address control shows: how many fields are filled, and the address.
struct ShownAddress {
    LRESULT filled;
    DWORD address;
};

ShownAddress AddressIn(HWND control) {
    DWORD address = 0;
    const LRESULT filled =
        ::SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    return {filled, address};
}

// The four field edits of an IP address control, left to right.
BOOL CALLBACK CollectChild(HWND field, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(field);
    return TRUE;
}

std::vector<HWND> AddressFields(HWND control) {
    std::vector<HWND> fields;
    ::EnumChildWindows(control, CollectChild, reinterpret_cast<LPARAM>(&fields));
    std::sort(fields.begin(), fields.end(), [](HWND a, HWND b) {
        RECT ra{};
        RECT rb{};
        ::GetWindowRect(a, &ra);
        ::GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return fields;
}

struct Colours {
    HBRUSH brush;
    COLORREF text;
    int backgroundMode;
};

// Sends the colour request a static control makes when it paints.
Colours AskColours(const CWnd& dialog, int id) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(dialog.GetSafeHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(Item(dialog, id))));
    Colours answer{brush, ::GetTextColor(dc), ::GetBkMode(dc)};
    ::DeleteDC(dc);
    return answer;
}

// Lets the control paint itself into a bitmap and counts its pixels of this colour.
int PaintedPixels(HWND control, COLORREF colour) {
    RECT client{};
    ::GetClientRect(control, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(dc, bitmap);
    ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const std::uint32_t wanted = (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
                                 (static_cast<std::uint32_t>(GetGValue(colour)) << 8) |
                                 GetBValue(colour);
    int count = 0;
    for (long i = 0; i < static_cast<long>(client.right) * client.bottom; ++i)
        if ((pixels[i] & 0xFFFFFFu) == wanted)
            ++count;
    ::SelectObject(dc, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return count;
}

TEST(DialogTest, OkReadsTheControlsBackAndCancelOrCloseLeaveTheFields) {
    TestDialog dialog;
    dialog.m_text = L"start";
    dialog.m_address = 0xC0A80001; // 192.168.0.1
    const std::wstring typed = L"Gr\u00FC\u00DFe \u2713 " + std::wstring(3000, L'x');
    {
        ModalDriver driver({Do([&] {
            EXPECT_EQ(ItemText(dialog, IDC_TEST_EDIT), L"start");
            const ShownAddress shown = AddressIn(Item(dialog, IDC_TEST_IP));
            EXPECT_EQ(shown.filled, 4);
            EXPECT_EQ(shown.address, 0xC0A80001u);
            ::SetWindowTextW(Item(dialog, IDC_TEST_EDIT), typed.c_str());
            ::SendMessageW(Item(dialog, IDC_TEST_IP), IPM_SETADDRESS, 0,
                           static_cast<LPARAM>(0xC8010203u)); // 200.1.2.3
            ClickButton(dialog.GetSafeHwnd(), IDOK);
        })});
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    EXPECT_EQ(dialog.m_text, typed);
    EXPECT_EQ(dialog.m_address, 0xC8010203u);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);

    {
        ModalDriver driver({Do([&] {
            ::SetWindowTextW(Item(dialog, IDC_TEST_EDIT), L"thrown away");
            ClickButton(dialog.GetSafeHwnd(), IDCANCEL);
        })});
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    {
        ModalDriver driver({Do([&] { ::SendMessageW(dialog.GetSafeHwnd(), WM_CLOSE, 0, 0); })});
        EXPECT_EQ(dialog.DoModal(), IDCANCEL); // the close box
    }
    EXPECT_EQ(dialog.m_text, typed);
}

TEST(DataExchangeTest, IpAddressPacksFirstFieldHighAndBlankFieldsAsZero) {
    TestDialog dialog;
    ModalDriver driver({Do([&] {
        HWND control = Item(dialog, IDC_TEST_IP);
        // 0 shows as 0.0.0.0: four filled fields, not blank ones.
        const ShownAddress shown = AddressIn(control);
        EXPECT_EQ(shown.filled, 4);
        EXPECT_EQ(shown.address, 0u);
        const std::vector<HWND> fields = AddressFields(control);
        ASSERT_EQ(fields.size(), 4u);
        EXPECT_EQ(CWnd(fields[0]).GetWindowText(), L"0");

        ::SendMessageW(control, IPM_SETADDRESS, 0, 0x0A141E28); // 10.20.30.40
        ::SetWindowTextW(fields[1], L"");
        dialog.UpdateData(true);
        EXPECT_EQ(dialog.m_address, 0x0A001E28u);

        ::SendMessageW(control, IPM_CLEARADDRESS, 0, 0);
        dialog.m_address = 5;
        dialog.UpdateData(true);
        EXPECT_EQ(dialog.m_address, 0u);

        dialog.m_address = 0xFF000001; // 255.0.0.1
        dialog.UpdateData(false);
        EXPECT_EQ(CWnd(fields[0]).GetWindowText(), L"255");
        EXPECT_EQ(CWnd(fields[3]).GetWindowText(), L"1");
        ClickButton(dialog.GetSafeHwnd(), IDCANCEL);
    })});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(MessageMapTest, RoutesClicksNotificationsAndTimersToTheirHandlers) {
    TestDialog dialog;
    dialog.m_onInit = [](TestDialog& self) { self.SetTimer(77, 10); };
    ModalDriver driver({
        Do([&] {
            ::SendMessageW(Item(dialog, IDC_TEST_BUTTON), BM_CLICK, 0, 0);
            EXPECT_EQ(dialog.m_clicks, 1);

            // The handler's answer reaches the sender through DWLP_MSGRESULT.
            NMHDR click{Item(dialog, IDC_TEST_LIST), IDC_TEST_LIST, NM_CLICK};
            EXPECT_EQ(::SendMessageW(dialog.GetSafeHwnd(), WM_NOTIFY, IDC_TEST_LIST,
                                     reinterpret_cast<LPARAM>(&click)),
                      42);
            EXPECT_EQ(dialog.m_listClicks, 1);

            // A code with no row goes to the default processing.
            NMHDR other{Item(dialog, IDC_TEST_LIST), IDC_TEST_LIST, NM_RCLICK};
            EXPECT_EQ(::SendMessageW(dialog.GetSafeHwnd(), WM_NOTIFY, IDC_TEST_LIST,
                                     reinterpret_cast<LPARAM>(&other)),
                      0);
            EXPECT_EQ(dialog.m_listClicks, 1);
        }),
        WaitFor([&] { return !dialog.m_timers.empty(); }),
        Do([&] {
            EXPECT_EQ(dialog.m_timers, std::vector<UINT_PTR>{77});
            ClickButton(dialog.GetSafeHwnd(), IDCANCEL);
        }),
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(ReflectionTest, ColourRequestReachesTheLabelWrapperAndItsColourIsPainted) {
    TestDialog dialog;
    const auto ownBrush = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
    for (int run = 1; run <= 2; ++run) {
        // The second run has a new label window: the wrapper must follow it.
        ModalDriver driver({Do([&] {
            EXPECT_EQ(dialog.m_label.GetSafeHwnd(), Item(dialog, IDC_TEST_LABEL));
            EXPECT_EQ(dialog.m_label.m_attachments, run);

            dialog.m_label.m_ownBrush = nullptr;
            const Colours plain = AskColours(dialog, IDC_TEST_LABEL);
            EXPECT_NE(plain.brush, nullptr); // the dialog's ordinary background
            EXPECT_EQ(plain.text, kRed);
            EXPECT_EQ(plain.backgroundMode, TRANSPARENT);
            EXPECT_GT(PaintedPixels(Item(dialog, IDC_TEST_LABEL), kRed), 0);

            dialog.m_label.m_ownBrush = ownBrush;
            EXPECT_EQ(AskColours(dialog, IDC_TEST_LABEL).brush, ownBrush);
            ClickButton(dialog.GetSafeHwnd(), IDCANCEL);
        })});
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

TEST(ReflectionTest, DialogColourHandlerCanPaintWhiteAndStillReflect) {
    WhiteDialog dialog;
    ModalDriver driver({Do([&] {
        const Colours colours = AskColours(dialog, IDC_TEST_LABEL);
        EXPECT_EQ(colours.brush, ::GetStockObject(WHITE_BRUSH));
        EXPECT_EQ(colours.text, kRed);
        EXPECT_EQ(colours.backgroundMode, TRANSPARENT);
        ClickButton(dialog.GetSafeHwnd(), IDCANCEL);
    })});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(ReflectionTest, NotificationGoesBackToTheControlNotToTheParent) {
    TestDialog dialog;
    ModalDriver driver({Do([&] {
        ENLINK link{};
        link.nmhdr = NMHDR{Item(dialog, IDC_TEST_EDIT), IDC_TEST_EDIT, EN_LINK};
        link.msg = WM_LBUTTONDOWN;
        EXPECT_EQ(::SendMessageW(dialog.GetSafeHwnd(), WM_NOTIFY, IDC_TEST_EDIT,
                                 reinterpret_cast<LPARAM>(&link)),
                  7);
        EXPECT_EQ(dialog.m_edit.m_links, 1);
        ClickButton(dialog.GetSafeHwnd(), IDCANCEL);
    })});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(FailureTest, HandlerExceptionIsReportedAndTheDialogGoesOn) {
    TestDialog dialog;
    dialog.m_throwOnClick = true;
    std::wstring reported;
    std::wstring caption;
    ModalDriver driver({
        // Blocks in the report's message box; the next step runs inside it.
        Do([&] { ::SendMessageW(Item(dialog, IDC_TEST_BUTTON), BM_CLICK, 0, 0); }),
        WaitFor([&] { return FindThreadDialog(AfxGetAppName()) != nullptr; }),
        Do([&] {
            HWND box = FindThreadDialog(AfxGetAppName());
            reported = MessageBoxText(box);
            caption = CWnd(box).GetWindowText();
            ClickButton(box, IDOK);
        }),
        Do([&] {
            dialog.m_throwOnClick = false;
            ::SendMessageW(Item(dialog, IDC_TEST_BUTTON), BM_CLICK, 0, 0);
            EXPECT_EQ(dialog.m_clicks, 1);
            ClickButton(dialog.GetSafeHwnd(), IDCANCEL);
        }),
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(reported, std::wstring(kTextUnexpectedError) + L"boom");
    EXPECT_EQ(caption, AfxGetAppName());
}

TEST(AppTest, MessageBoxTakesTheExecutableNameAsCaption) {
    EXPECT_EQ(AfxGetAppName(), L"dialogkit_tests");
    std::wstring text;
    ModalDriver driver({
        WaitFor([] { return FindThreadDialog(L"dialogkit_tests") != nullptr; }),
        Do([&] {
            HWND box = FindThreadDialog(L"dialogkit_tests");
            text = MessageBoxText(box);
            ClickButton(box, IDOK);
        }),
    });
    EXPECT_EQ(AfxMessageBox(L"Hello", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(text, L"Hello");
}

} // namespace
