#include "panel/log_dlg_win32.h"

#include "config/program_folder.h"
#include "dialogkit/command_ids.h"
#include "dialogkit/file_dialog.h"
#include "dialogkit/shell_open.h"
#include "panel/panel_texts.h"
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
    const LogFileQuestion question = m_follower.BrowseQuestion();
    // A shortcut chosen is the file itself, not where it leads; the process's current
    // folder stays where it was.
    CFileDialog dialog(std::wstring(question.defaultExtension), question.initialName,
                       OFN_HIDEREADONLY | OFN_NODEREFERENCELINKS | OFN_NOCHANGEDIR, question.filter,
                       this);
    if (dialog.DoModal() == IDOK) {
        m_follower.UseChosenLogFile(dialog.GetPathName());
    }
}

void CLogDlg::OnWebSite() {
    ShellOpen(std::wstring(texts::kWebSiteUrl));
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

void CLogDlg::ShowLastLines(int lines) {
    m_view.LineScroll(m_view.GetLineCount() - lines);
}

void CLogDlg::ShowPath(std::wstring_view path) {
    m_strPath = path;
    UpdateData(false);
}

void CLogDlg::StartTimer(unsigned id, unsigned periodMs) {
    SetTimer(id, periodMs);
}
