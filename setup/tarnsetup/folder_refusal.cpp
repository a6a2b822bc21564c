#include "setup/tarnsetup/folder_refusal.h"

namespace tarnsetup {
namespace {

constexpr std::wstring_view kBreak = L"\r\n";
constexpr std::wstring_view kNothingInstalled = L" Nothing was installed.";

std::wstring Quoted(std::wstring_view lead, std::wstring_view path) {
    std::wstring text(lead);
    text += kBreak;
    text += path;
    text += kBreak;
    return text;
}

std::wstring CannotInstallIn(const Refusal& refusal) {
    return Quoted(L"Tarnlink cannot be installed in", refusal.folder) + std::wstring(kBreak);
}

std::wstring ErrorSuffix(std::uint32_t error) {
    return error == 0 ? std::wstring() : L" (error " + std::to_wstring(error) + L")";
}

} // namespace

std::wstring RefusalMessage(const Refusal& refusal) {
    std::wstring text;
    switch (refusal.reason) {
    case RefusalReason::NotLocal:
        text = CannotInstallIn(refusal) +
               L"Choose a full path on a drive of this computer: the service runs from this "
               L"folder with the rights of the system, so the folder must not be on another "
               L"computer.";
        break;
    case RefusalReason::NotInCodePage:
        text = CannotInstallIn(refusal) +
               L"The service is registered in the system's code page, which cannot hold every "
               L"character of this name. Choose a folder whose name uses only characters of "
               L"the system's language settings.";
        break;
    case RefusalReason::NotWritable:
        text = Quoted(L"Setup cannot write to the folder", refusal.folder) + std::wstring(kBreak) +
               L"Choose another folder, or make sure that this one can be written, then try "
               L"again" +
               ErrorSuffix(refusal.error) + L".";
        break;
    case RefusalReason::NotProtectable:
        text = Quoted(L"Setup cannot restrict changes in the folder", refusal.folder) +
               L"to administrators (its drive may not support access rights)" +
               ErrorSuffix(refusal.error) +
               L". The service runs from it with the rights of the system, so choose a folder "
               L"on an NTFS drive.";
        break;
    case RefusalReason::NotEmpty:
        text = Quoted(L"The folder", refusal.folder) +
               L"already holds files, and no earlier Tarnlink installation is registered "
               L"there.\r\n\r\nThe service runs with the rights of the system, and the programs "
               L"would load what others put there. Empty the folder or choose another.";
        break;
    case RefusalReason::KeptButOpen:
        text = Quoted(L"The folder", refusal.folder) +
               L"holds what a removed Tarnlink installation kept, but users who are not "
               L"administrators may change it, or its owner is not an administrator: its "
               L"settings could have the service, which runs with the rights of the system, "
               L"write any file. Empty the folder or choose another.";
        break;
    case RefusalReason::UnsafeParent:
        text = CannotInstallIn(refusal) +
               Quoted(L"Users who are not administrators may rename, delete or change the "
                      L"rights of the folder",
                      refusal.detail) +
               L"on its path, or its owner is not an administrator. The service runs from the "
               L"program folder with the rights of the system: whoever can replace a folder on "
               L"its path can replace its programs. Let only administrators change that "
               L"folder, or choose another.";
        break;
    case RefusalReason::Link:
        text = CannotInstallIn(refusal) + Quoted(L"The path leads through", refusal.detail) +
               L"a link, a junction or a mount point. The service would run from wherever it "
               L"points, which its owner can change. Choose a folder on a path without one.";
        break;
    case RefusalReason::Unlistable:
        text = Quoted(L"Setup cannot read what the folder", refusal.folder) + L"holds" +
               ErrorSuffix(refusal.error) +
               L", so it cannot tell whether others put programs there. Choose another folder.";
        break;
    case RefusalReason::ForeignCode:
        return Quoted(L"The folder of the earlier Tarnlink installation", refusal.folder) +
               L"holds programs, libraries or links that Tarnlink's setup did not place "
               L"there:" +
               std::wstring(kBreak) + refusal.detail + std::wstring(kBreak) + std::wstring(kBreak) +
               L"The service and the programs run with the rights of the system and could "
               L"load them. Remove them, then run the setup again. The earlier installation is "
               L"kept as it was.";
    }
    return text + std::wstring(kNothingInstalled);
}

} // namespace tarnsetup
