#include "panel/tarnlink_dlg_logic.h"

#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"

CTarnlinkDlgLogic::CTarnlinkDlgLogic(IMessageBoxOwner& sheet, CMainDlgLogic& proxyPage)
    : m_sheet(sheet), m_pageProxy(proxyPage) {}

CTarnlinkDlgLogic::CommandRoute CTarnlinkDlgLogic::OnCommand(std::uint32_t commandWord) {
    if ((commandWord & 0xFFFFu) != kOkCommand || !m_pageProxy.AreRulesModified()) {
        return CommandRoute::Default;
    }
    switch (m_sheet.ShowMessage(MakeRequest(texts::kSaveBeforeExit))) {
    case MessageAnswer::Yes:
        // A failed save has been reported; staying open keeps the changes.
        if (!m_pageProxy.SaveRules()) {
            return CommandRoute::Handled;
        }
        m_sheet.ShowMessage(MakeRequest(texts::kRestartAfterSave));
        return CommandRoute::Default;
    case MessageAnswer::No:
        return CommandRoute::Default;
    case MessageAnswer::Cancel:
    case MessageAnswer::Ok:
        break;
    }
    return CommandRoute::Handled;
}

bool CTarnlinkDlgLogic::IsAboutCommand(std::uint32_t command) {
    return (command & ~0xFu) == IDM_ABOUTBOX;
}
