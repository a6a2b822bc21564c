#pragma once

#include "panel/admin_rights.h"
#include "panel/message_box.h"

#include <cstdint>
#include <string_view>

// The platform steps of the application's start-up, in the order RunStartup
// takes them. Message boxes shown here have no owner window.
class IStartupPlatform : public IMessageBoxOwner {
public:
    // InitCommonControlsEx with the structure size and the class set.
    virtual void RegisterCommonControls(std::uint32_t structSize, std::uint32_t classes) = 0;
    // The framework's default application initialisation.
    virtual void RunDefaultInitialisation() = 0;
    // Creates the named mutex owned by the caller, drops its handle and returns
    // the last-error value read right after.
    virtual std::uint32_t CreateInstanceMutex(std::wstring_view name) = 0;
    virtual void EnableControlContainer() = 0;
    // Loads the rich edit 2.0 library; its result does not matter.
    virtual void LoadRichEdit() = 0;
    virtual void SetRegistryKey(std::wstring_view company) = 0;
    // Builds the main window, runs it modally and destroys it.
    virtual void RunMainWindow() = 0;
};

// The application's start-up: single instance per logon, administrator rights,
// then the main window. The program ends when this returns.
void RunStartup(IStartupPlatform& platform, IAdminRightsQuery& rights);
