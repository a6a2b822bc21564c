#include "panel/url_ctrl_win32.h"

#include "dialogkit/shell_open.h"
#include "panel/about_dlg_links.h"

#include <array>

void CUrlCtrl::PreSubclassWindow() {
    SetAutoURLDetect(true);
    SetEventMask(GetEventMask() | ENM_LINK);
    CRichEditCtrl::PreSubclassWindow();
}

MessageMap CUrlCtrl::GetMessageMap() const {
    static constexpr std::array kMap{on::NotifyReflect<&CUrlCtrl::OnLink>(EN_LINK)};
    return kMap;
}

void CUrlCtrl::OnLink(NMHDR* header, LRESULT* result) {
    // The control goes on with its own handling of the mouse event.
    *result = 0;
    const auto* link = reinterpret_cast<const ENLINK*>(header);
    if (link->msg != WM_LBUTTONDOWN) {
        return;
    }
    SetSel(link->chrg.cpMin, link->chrg.cpMax);
    ShellOpen(LinkShellTarget(GetSelText()));
    SetSel(0, 0);
}
