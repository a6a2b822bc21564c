#include "panel/tarnlink_app_startup.h"

#include "panel/panel_texts.h"

void RunStartup(IStartupPlatform& platform, IMessageBoxOwner& messages) {
    platform.RegisterCommonControls();
    // Before the rights: a second copy says so even to a user without them.
    if (!platform.ClaimSingleInstance(texts::kInstanceMutexName)) {
        messages.ShowMessage(MakeRequest(texts::kAnotherInstance));
        return;
    }
    platform.LoadRichEdit();
    if (!platform.HasAdminRights()) {
        messages.ShowMessage(MakeRequest(texts::kNoAdminRights));
        return;
    }
    platform.RunMainWindow();
}
