#pragma once

#include "dialogkit/property_page.h"
#include "dialogkit/rich_edit_ctrl.h"
#include "panel/log_dlg_follower.h"
#include "panel/log_dlg_view.h"
#include "panel/log_file_win32.h"
#include "panel/message_box_win32.h"

#include <string>

// The Log page: follows the service's log file. Its behaviour is CLogFollower;
// this class gives it the rich edit view and the path label, and asks for another
// log file with the file dialog.
class CLogDlg : public CPropertyPage, private ILogDlgView {
public:
    CLogDlg();

protected:
    MessageMap GetMessageMap() const override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnTimer(UINT_PTR id);
    void OnBrowse();
    void OnWebSite();
    // Replaces the view's text from start to its end and keeps the caret in view.
    void ReplaceToEnd(long start, std::wstring_view text);

    // ILogDlgView
    void AppendAtEnd(std::wstring_view text) override;
    void ShowOnly(std::wstring_view text) override;
    void SetTextLimit(std::size_t characters) override;
    std::size_t TextLength() override;
    std::size_t LineStartAtOrAfter(std::size_t position) override;
    void RemoveLeadingText(std::size_t characters) override;
    void ShowLastLines(int lines) override;
    void ShowPath(std::wstring_view path) override;
    void StartTimer(unsigned id, unsigned periodMs) override;

    CWin32LogFile m_file;
    CWindowMessageBoxes m_messages{*this};
    CLogFollower m_follower;
    std::wstring m_strPath;
    CRichEditCtrl m_view;
};
