#include "panel/main_dlg_win32.h"

#include "config/program_folder.h"
#include "dialogkit/command_ids.h"
#include "dialogkit/shell_open.h"
#include "panel/panel_texts.h"
#include "panel/rule_dlg_win32.h"
#include "resources/tarnlink/resource_ids.h"

#include <array>

namespace {

// Sizes in pixels at 96 dpi; the page scales them to its monitor's DPI.
// The status line's font: Arial, 15 units high, bold.
constexpr int kStatusFontHeight = 15;
constexpr int kStatusFontWeight = FW_BOLD;

// Exactly check boxes and full-row select; no other extended style stays on.
constexpr DWORD kListStyles = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;

struct Column {
    std::wstring_view title;
    int width;
};
constexpr std::array kColumns{Column{texts::kColumnName, 100}, Column{texts::kColumnSource, 120},
                              Column{texts::kColumnDestination, 120}};
constexpr int kSourceColumn = 1;
constexpr int kDestinationColumn = 2;

} // namespace

CMainDlg::CMainDlg()
    : CPropertyPage(IDD_PROXY_PAGE), m_logic(*this, m_messages, m_scm, GetSettingsPath()) {}

MessageMap CMainDlg::GetMessageMap() const {
    static constexpr std::array kMap{
        on::ButtonClicked<&CMainDlg::OnNewRule>(IDC_NEW_RULE),
        on::ButtonClicked<&CMainDlg::OnStartStop>(IDC_START_STOP),
        on::Timer<&CMainDlg::OnTimer>(),
        on::ButtonClicked<&CMainDlg::OnRemoveRule>(IDC_REMOVE_RULE),
        on::ButtonClicked<&CMainDlg::OnEditRule>(IDC_EDIT_RULE),
        on::Notify<&CMainDlg::OnRuleItemChanged>(IDC_RULE_LIST, LVN_ITEMCHANGED),
        on::Notify<&CMainDlg::OnRuleDblClk>(IDC_RULE_LIST, NM_DBLCLK),
        on::Notify<&CMainDlg::OnRuleKeyDown>(IDC_RULE_LIST, LVN_KEYDOWN),
        on::Command<&CMainDlg::OnWebSite>(ID_HELP),
    };
    return kMap;
}

void CMainDlg::DoDataExchange(CDataExchange& dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_RULE_LIST, m_listRules);
    DDX_Control(dx, IDC_NOTE, m_staticNote);
    DDX_Control(dx, IDC_START_STOP, m_btnStartStop);
    DDX_Text(dx, IDC_STATUS, m_strStatus);
    DDX_Control(dx, IDC_STATUS, m_staticStatus);
}

bool CMainDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();

    m_dpi = WindowDpi(m_hWnd);
    CreateStatusFont();

    m_staticNote.m_crText = colours::kNote;
    m_staticNote.RedrawWindow();

    m_listRules.SetExtendedStyle(kListStyles);
    for (int i = 0; i < static_cast<int>(kColumns.size()); ++i) {
        m_listRules.InsertColumn(i, std::wstring(kColumns[static_cast<std::size_t>(i)].title),
                                 LVCFMT_LEFT,
                                 ScaleForDpi(kColumns[static_cast<std::size_t>(i)].width, m_dpi));
    }

    if (const std::uint32_t code = m_logic.Initialise(); code != 0) {
        // The code is the exit status, so that whoever started the panel sees why.
        ::ExitProcess(code);
    }
    return true;
}

void CMainDlg::CreateStatusFont() {
    m_fontStatus.CreateFont(ScaleForDpi(kStatusFontHeight, m_dpi), 0, 0, 0, kStatusFontWeight,
                            FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH,
                            L"Arial");
    m_staticStatus.SetFont(m_fontStatus, true);
}

void CMainDlg::OnDpiChanged(unsigned dpi) {
    // Columns keep the widths the user gave them, at the new scale.
    for (int i = 0; i < static_cast<int>(kColumns.size()); ++i) {
        m_listRules.SetColumnWidth(i, ::MulDiv(m_listRules.GetColumnWidth(i), static_cast<int>(dpi),
                                               static_cast<int>(m_dpi)));
    }
    m_dpi = dpi;
    CreateStatusFont();
}

bool CMainDlg::EditOnEnter() {
    if (m_listRules.GetSafeHwnd() == nullptr || ::GetFocus() != m_listRules.GetSafeHwnd()) {
        return false;
    }
    EditSelectedRule();
    return true;
}

bool CMainDlg::OnSetActive() {
    m_logic.OnSetActive();
    return CPropertyPage::OnSetActive();
}

void CMainDlg::OnNewRule() {
    CRuleDlg editor;
    editor.m_fields = CMainDlgLogic::NewRuleFields();
    // Only a confirmed editor counts: one that could not even be created (-1) must not
    // add or overwrite a rule with empty values.
    if (editor.DoModal() == IDOK) {
        m_logic.AddRule(editor.m_fields);
    }
}

void CMainDlg::OnEditRule() {
    const int row = m_listRules.GetNextSelected();
    CRuleDlg editor;
    if (const auto fields = m_logic.EditFields(row)) {
        editor.m_fields = *fields;
        if (editor.DoModal() == IDOK) {
            m_logic.ReplaceRule(row, editor.m_fields);
        }
    }
}

void CMainDlg::EditSelectedRule() {
    if (m_listRules.GetNextSelected() >= 0) {
        OnEditRule();
    }
}

void CMainDlg::OnRemoveRule() {
    m_logic.RemoveRules(SelectedRows());
}

std::vector<int> CMainDlg::SelectedRows() const {
    std::vector<int> rows;
    for (int row = m_listRules.GetNextSelected(); row >= 0;
         row = m_listRules.GetNextSelected(row)) {
        rows.push_back(row);
    }
    return rows;
}

void CMainDlg::OnTimer(UINT_PTR id) {
    if (!m_logic.OnTimer(static_cast<unsigned>(id))) {
        Default();
    }
}

void CMainDlg::OnRuleItemChanged(NMHDR* header, LRESULT* result) {
    const auto* item = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!m_bUpdating && (item->uChanged & LVIF_STATE) != 0) {
        m_logic.OnRuleChecked(item->iItem, m_listRules.GetCheck(item->iItem));
    }
    *result = 0;
}

void CMainDlg::OnRuleDblClk(NMHDR* /*header*/, LRESULT* result) {
    EditSelectedRule();
    *result = 0;
}

void CMainDlg::OnRuleKeyDown(NMHDR* header, LRESULT* result) {
    // Delete removes the selected rules as Remove does, with its questions.
    if (reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_DELETE) {
        OnRemoveRule();
    }
    *result = 0;
}

void CMainDlg::OnWebSite() {
    ShellOpen(std::wstring(texts::kWebSiteUrl));
}

void CMainDlg::ShowRules(const std::vector<RuleRow>& rows) {
    m_bUpdating = true;
    m_listRules.DeleteAllItems();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const RuleRow& row = rows[static_cast<std::size_t>(i)];
        m_listRules.InsertItem(i, row.name);
        m_listRules.SetItemText(i, kSourceColumn, row.source);
        m_listRules.SetItemText(i, kDestinationColumn, row.destination);
        m_listRules.SetCheck(i, row.checked);
    }
    m_bUpdating = false;
}

void CMainDlg::ShowServer(const ServerDisplay& display) {
    SetStartStopButton(display.buttonText, display.buttonEnabled);
    m_strStatus = display.statusText;
    m_staticStatus.m_crText = display.statusColour;
    m_staticStatus.RedrawWindow();
    UpdateData(false);
}

void CMainDlg::SetStartStopButton(std::wstring_view text, bool enabled) {
    HWND button = m_btnStartStop.GetSafeHwnd();
    if (!enabled && ::GetFocus() == button) {
        // A disabled window loses the focus to nobody, and the keyboard would then
        // reach no control at all: the focus moves on first.
        HWND next = ::GetNextDlgTabItem(m_hWnd, button, FALSE);
        if (next != nullptr && next != button) {
            GiveFocusTo(next);
            m_focusLent = next;
        }
    }
    m_btnStartStop.EnableWindow(enabled);
    m_btnStartStop.SetWindowText(std::wstring(text));
    if (enabled && m_focusLent != nullptr) {
        // Back to the button, unless the user has taken the focus elsewhere meanwhile.
        if (::GetFocus() == m_focusLent) {
            GiveFocusTo(button);
        }
        m_focusLent = nullptr;
    }
}

void CMainDlg::GiveFocusTo(HWND control) {
    // The sheet, the dialog that owns the keyboard, also moves the default button.
    ::SendMessageW(::GetAncestor(m_hWnd, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control),
                   TRUE);
}

void CMainDlg::ShowNote(bool shown) {
    m_staticNote.ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

std::uint32_t CMainDlg::StartTimer(unsigned id, unsigned periodMs) {
    if (SetTimer(id, periodMs) != 0) {
        return 0;
    }
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_NO_SYSTEM_RESOURCES;
}
