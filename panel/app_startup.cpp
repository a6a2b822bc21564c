#include "panel/app_startup.h"

#include "panel/panel_texts.h"

namespace {

constexpr std::uint32_t kInitCommonControlsSize = 8; // sizeof(INITCOMMONCONTROLSEX)
constexpr std::uint32_t kWin95Classes = 0xFF;        // ICC_WIN95_CLASSES
constexpr std::uint32_t kAlreadyExists = 183;        // ERROR_ALREADY_EXISTS

} // namespace

void RunStartup(IStartupPlatform& platform, IAdminRightsQuery& rights) {
    platform.RegisterCommonControls(kInitCommonControlsSize, kWin95Classes);
    platform.RunDefaultInitialisation();
    // Any other outcome, a failed creation included, counts as the first instance.
    if (platform.CreateInstanceMutex(texts::kInstanceMutexName) == kAlreadyExists) {
        platform.ShowMessage(MakeRequest(texts::kAnotherInstance));
        return;
    }
    platform.EnableControlContainer();
    platform.LoadRichEdit();
    if (!HasAdminRights(rights)) {
        platform.ShowMessage(MakeRequest(texts::kNoAdminRights));
        return;
    }
    platform.SetRegistryKey(texts::kRegistryCompany);
    platform.RunMainWindow();
}
