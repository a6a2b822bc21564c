#include "panel/main_window_logic.h"

#include "panel/panel_texts.h"
#include "panel/settings_modified.h"

CMainWindowLogic::CMainWindowLogic(IMessageBoxOwner& sheet, IRulesSaver& saver)
    : m_sheet(sheet), m_saver(saver) {}

CMainWindowLogic::CommandRoute CMainWindowLogic::OnCommand(std::uint32_t commandWord) {
    if ((commandWord & 0xFFFFu) != kOkCommand || !g_bSettingsModified) {
        return CommandRoute::Default;
    }
    switch (m_sheet.ShowMessage(MakeRequest(texts::kSaveBeforeExit))) {
    case MessageAnswer::Yes:
        // A failed save has been reported; staying open keeps the changes.
        if (!m_saver.SaveRules()) {
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

bool CMainWindowLogic::IsAboutCommand(std::uint32_t command) {
    return (command & ~0xFu) == kAboutCommand;
}

CMainWindowLogic::Point CMainWindowLogic::MinimizedIconOrigin(int clientWidth, int clientHeight,
                                                              int iconWidth, int iconHeight) {
    return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}
