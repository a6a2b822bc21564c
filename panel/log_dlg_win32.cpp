#include "panel/log_dlg_win32.h"

#include "config/program_folder.h"
#include "dialogkit/command_ids.h"
#include "dialogkit/file_dialog.h"
#include "panel/main_dlg_win32.h"
#include "resources/tarnlink/resource_ids.h"

#include <array>

CLogDlg::CLogDlg()
    : CPropertyPage(IDD_LOG_PAGE),
      m_follower(*this, m_messages, m_file, GetSettingsPath(), GetProgramFolder()) {}

MessageMap CLogDlg::GetMessageMap() const {
    static constexpr std::array kMap{
        on::Timer<&CLogDlg::OnTimer>(),
        on::ButtonClicked<&CLogDlg::OnBrowse>(IDC_BROWSE),
        on::Command<&CLogDlg::OnWebSite>(ID_HELP),
    };
    return kMap;
}

void CLogDlg::DoDataExchange(CDataExchange& dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_LOG_PATH, m_strPath);
    DDX_Control(dx, IDC_LOG_VIEW, m_view);
}

bool CLogDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_follower.Initialise();
    return true;
}

void CLogDlg::OnTimer(UINT_PTR id) {
    if (!m_follower.OnTimer(static_cast<unsigned>(id))) {
        Default();
    }
}

void CLogDlg::OnBrowse() {
    m_follower.OnBrowse();
}

void CLogDlg::OnWebSite() {
    CMainDlg::OpenWebSite();
}

void CLogDlg::AppendAtEnd(std::wstring_view text) {
    ReplaceToEnd(m_view.GetTextLength(), text);
}

void CLogDlg::ShowOnly(std::wstring_view text) {
    ReplaceToEnd(0, text);
}

void CLogDlg::ReplaceToEnd(long start, std::wstring_view text) {
    m_view.SetSel(start, m_view.GetTextLength());
    m_view.ReplaceSel(std::wstring(text), false);
    // The caret, and with it the end of the log, stays in view without the focus.
    m_view.HideSelection(false, false);
    m_view.SendMessage(WM_HSCROLL, SB_PAGELEFT);
}

void CLogDlg::ReplaceAllText(std::wstring_view text) {
    m_view.SetWindowText(std::wstring(text));
}

void CLogDlg::SetTextLimit(std::size_t characters) {
    m_view.ExLimitText(static_cast<long>(characters));
}

std::size_t CLogDlg::TextLength() {
    return static_cast<std::size_t>(m_view.GetTextLength());
}

std::size_t CLogDlg::LineStartAtOrAfter(std::size_t position) {
    const auto line = m_view.SendMessage(EM_EXLINEFROMCHAR, 0, static_cast<LPARAM>(position));
    const auto start = m_view.SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line));
    if (start >= 0 && static_cast<std::size_t>(start) >= position) {
        return static_cast<std::size_t>(start);
    }
    const auto next = m_view.SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line + 1));
    return next < 0 ? TextLength() : static_cast<std::size_t>(next);
}

void CLogDlg::RemoveLeadingText(std::size_t characters) {
    m_view.SetSel(0, static_cast<long>(characters));
    m_view.ReplaceSel(std::wstring(), false);
}

int CLogDlg::LineCount() {
    return m_view.GetLineCount();
}

void CLogDlg::ScrollLines(int lines) {
    m_view.LineScroll(lines);
}

void CLogDlg::ShowPath(std::wstring_view path) {
    m_strPath = path;
    UpdateData(false);
}

void CLogDlg::StartTimer(unsigned id, unsigned periodMs) {
    SetTimer(id, periodMs);
}

std::optional<std::wstring> CLogDlg::AskLogFileName(std::wstring_view filter,
                                                    std::wstring_view defaultExtension,
                                                    std::wstring_view initialName) {
    CFileDialog dialog(std::wstring(defaultExtension), std::wstring(initialName), OFN_HIDEREADONLY,
                       filter, this);
    if (dialog.DoModal() != IDOK) {
        return std::nullopt;
    }
    return dialog.GetPathName();
}
