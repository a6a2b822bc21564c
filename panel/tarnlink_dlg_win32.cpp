#include "panel/tarnlink_dlg_win32.h"

#include "dialogkit/command_ids.h"
#include "dialogkit/display_scale.h"
#include "dialogkit/paint_dc.h"
#include "dialogkit/resources.h"
#include "panel/about_dlg_win32.h"
#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"

#include <array>

static_assert(CTarnlinkDlgLogic::kOkCommand == IDOK);

namespace {

// Sizes and places in pixels at 96 dpi; the sheet scales them to its monitor's DPI.
constexpr int kSmallIconSize = 16;
constexpr int kBigIconSize = 32;

// Left edges of the sheet's buttons, in client pixels.
constexpr int kOkLeft = 20;
constexpr int kHelpLeft = 330;
constexpr int kCancelLeft = 420;

// Moves a button of the sheet so that its left edge is at x, keeping its row and size.
void MoveButtonTo(const CWnd& sheet, int id, int x) {
    CWnd button = sheet.GetDlgItem(id);
    if (button.GetSafeHwnd() == nullptr) {
        return;
    }
    RECT rect = button.GetWindowRect();
    sheet.ScreenToClient(rect);
    const int width = rect.right - rect.left;
    button.MoveWindow({x, rect.top, x + width, rect.bottom}, true);
}

} // namespace

CTarnlinkDlg::CTarnlinkDlg()
    : CPropertySheet(LoadResourceString(IDS_SHEET_CAPTION)), m_dpi(WindowDpi(nullptr)),
      m_hIconSmall(LoadIconResource(IDR_MAINFRAME, ScaleForDpi(kSmallIconSize, m_dpi))),
      m_hIconBig(LoadIconResource(IDR_MAINFRAME, ScaleForDpi(kBigIconSize, m_dpi))),
      m_logic(m_messages, m_pageProxy.Logic()) {
    m_pageProxy.SetHasHelp(true);
    m_pageLog.SetHasHelp(true);
    AddPage(&m_pageProxy);
    AddPage(&m_pageLog);
}

CTarnlinkDlg::~CTarnlinkDlg() {
    ::DestroyIcon(m_hIconSmall);
    ::DestroyIcon(m_hIconBig);
}

MessageMap CTarnlinkDlg::GetMessageMap() const {
    static constexpr std::array kMap{
        on::SysCommand<&CTarnlinkDlg::OnSysCommand>(),
        on::Paint<&CTarnlinkDlg::OnPaint>(),
        on::QueryDragIcon<&CTarnlinkDlg::OnQueryDragIcon>(),
        on::Create<&CTarnlinkDlg::OnCreate>(),
        on::HelpInfo<&CTarnlinkDlg::OnHelpInfo>(),
        on::DpiChanged<&CTarnlinkDlg::OnDpiChanged>(),
    };
    return kMap;
}

bool CTarnlinkDlg::OnInitDialog() {
    CPropertySheet::OnInitDialog();

    AddAboutMenuEntry();
    // On a monitor other than the main one the window has a DPI of its own.
    if (const unsigned dpi = WindowDpi(m_hWnd); dpi != m_dpi) {
        m_dpi = dpi;
        LoadIcons();
    }
    SetIcons();
    GetDlgItem(ID_APPLY_NOW).ShowWindow(SW_HIDE);
    PlaceButtons();
    ModifyStyle(0, WS_MINIMIZEBOX);
    // Position 0 read as a command id: in front of the first separator.
    ::InsertMenuW(GetSystemMenu(false), 0, MF_BYCOMMAND | MF_STRING, SC_MINIMIZE,
                  std::wstring(texts::kMinimizeMenuText).c_str());
    return true;
}

void CTarnlinkDlg::AddAboutMenuEntry() {
    const std::wstring about = LoadResourceString(IDS_ABOUTBOX);
    if (about.empty()) {
        return;
    }
    HMENU menu = GetSystemMenu(false);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
}

void CTarnlinkDlg::LoadIcons() {
    ::DestroyIcon(m_hIconSmall);
    ::DestroyIcon(m_hIconBig);
    m_hIconSmall = LoadIconResource(IDR_MAINFRAME, ScaleForDpi(kSmallIconSize, m_dpi));
    m_hIconBig = LoadIconResource(IDR_MAINFRAME, ScaleForDpi(kBigIconSize, m_dpi));
}

void CTarnlinkDlg::SetIcons() {
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIconBig));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIconSmall));
}

void CTarnlinkDlg::PlaceButtons() {
    MoveButtonTo(*this, IDCANCEL, ScaleForDpi(kCancelLeft, m_dpi));
    GetDlgItem(IDHELP).ShowWindow(SW_SHOWNORMAL);
    MoveButtonTo(*this, IDHELP, ScaleForDpi(kHelpLeft, m_dpi));
    MoveButtonTo(*this, IDOK, ScaleForDpi(kOkLeft, m_dpi));
}

void CTarnlinkDlg::OnDpiChanged(unsigned dpi, const RECT& suggested) {
    // The dialog manager scales the templates' controls and fonts itself; what is
    // given in pixels here follows.
    Default();
    m_dpi = dpi;
    ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LoadIcons();
    SetIcons();
    PlaceButtons();
    m_pageProxy.OnDpiChanged(dpi);
}

bool CTarnlinkDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Enter in the rule list edits the focused rule instead of leaving (a click on OK
    // takes the focus to OK first).
    if (LOWORD(wParam) == IDOK && m_pageProxy.EditOnEnter()) {
        return true;
    }
    if (m_logic.OnCommand(static_cast<std::uint32_t>(wParam)) ==
        CTarnlinkDlgLogic::CommandRoute::Handled) {
        return true;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

void CTarnlinkDlg::OnSysCommand(UINT command, LPARAM /*parameter*/) {
    if (CTarnlinkDlgLogic::IsAboutCommand(command)) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Default();
}

void CTarnlinkDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(*this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
    // Centred in the client area; the system's icon size is that of the main monitor.
    const RECT client = GetClientRect();
    const auto systemDpi = static_cast<int>(WindowDpi(nullptr));
    const auto atWindowDpi = [&](int metric) {
        return ::MulDiv(::GetSystemMetrics(metric), static_cast<int>(m_dpi), systemDpi);
    };
    const int x = (client.right - client.left - atWindowDpi(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - atWindowDpi(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.GetSafeHdc(), x, y, m_hIconSmall);
}

HICON CTarnlinkDlg::OnQueryDragIcon() {
    return m_hIconSmall;
}

int CTarnlinkDlg::OnCreate(CREATESTRUCTW* /*create*/) {
    return Default() == -1 ? -1 : 0;
}

bool CTarnlinkDlg::OnHelpInfo(HELPINFO* /*info*/) {
    // The Help button opens the web site through the active page; F1 opens nothing.
    return true;
}
