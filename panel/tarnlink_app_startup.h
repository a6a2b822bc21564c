#pragma once

#include "panel/message_box.h"

#include <string_view>

// What the application's start-up asks of the platform, in the order RunStartup
// takes the steps.
class IStartupPlatform {
public:
    virtual ~IStartupPlatform() = default;
    // Registers the common control classes the pages use.
    virtual void RegisterCommonControls() = 0;
    // Takes the named lock, per logon, for the life of the process. False when
    // another process holds it already; a lock that cannot be made at all counts
    // as taken, so that the program runs.
    virtual bool ClaimSingleInstance(std::wstring_view lockName) = 0;
    // Loads the rich edit 2.0 library; its result does not matter.
    virtual void LoadRichEdit() = 0;
    // False only when the platform says the current user is not an administrator;
    // whenever it cannot tell, the program runs.
    virtual bool HasAdminRights() = 0;
    // Builds the main window, runs it modally and destroys it.
    virtual void RunMainWindow() = 0;
};

// The application's start-up: single instance per logon, administrator rights,
// then the main window. The program ends when this returns. No window exists yet
// to own the refusals' messages.
void RunStartup(IStartupPlatform& platform, IMessageBoxOwner& messages);
