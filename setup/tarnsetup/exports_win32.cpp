// What the setup program calls in TarnSetup.dll (from its script, through the System
// plug-in): plain functions of wide strings, numbers and handles, exported without
// decoration. The Windows Installer package's custom actions are in msi_actions_win32.cpp.
#include "setup/tarnsetup/earlier_service_win32.h"
#include "setup/tarnsetup/install_folder_win32.h"
#include "setup/tarnsetup/setup_lock_win32.h"

#include <cwchar>
#include <string>

namespace {

void CopyOut(const std::wstring& text, wchar_t* buffer, int size) {
    if (buffer != nullptr && size > 0) {
        std::wcsncpy(buffer, text.c_str(), static_cast<std::size_t>(size) - 1);
        buffer[size - 1] = L'\0';
    }
}

std::wstring Text(const wchar_t* text) {
    return text != nullptr ? std::wstring(text) : std::wstring();
}

} // namespace

// Checks the program folder before anything changes and holds it open when it exists
// (`*held`, else INVALID_HANDLE_VALUE). Returns the folder's kind: 1 new, 2 a kept
// installation, 3 the registered installation; 0 refused, the reason in `message`.
extern "C" __declspec(dllexport) int __stdcall TarnOpenFolder(const wchar_t* folder,
                                                              const wchar_t* registered,
                                                              HANDLE* held, wchar_t* message,
                                                              int messageSize) {
    tarnsetup::FolderCheck check = tarnsetup::OpenInstallFolder(Text(folder), Text(registered));
    *held = check.held;
    CopyOut(check.refusal ? tarnsetup::RefusalMessage(*check.refusal) : std::wstring(), message,
            messageSize);
    return static_cast<int>(check.kind);
}

// Makes and protects the folder that TarnOpenFolder accepted as `kind` and held in
// `held`, and holds it in `*heldNow`. Returns 0, or the Windows error of the refusal in
// `message` (1 without one); `created` is the outermost folder it made, for an undo.
extern "C" __declspec(dllexport) DWORD
    __stdcall TarnProtectFolder(const wchar_t* folder, int kind, HANDLE held, HANDLE* heldNow,
                                wchar_t* created, int createdSize, wchar_t* message,
                                int messageSize) {
    std::wstring made;
    const auto refusal = tarnsetup::ProtectInstallFolder(
        Text(folder), static_cast<tarnsetup::FolderKind>(kind), held, made);
    *heldNow = held;
    CopyOut(made, created, createdSize);
    CopyOut(refusal ? tarnsetup::RefusalMessage(*refusal) : std::wstring(), message, messageSize);
    return !refusal ? 0 : refusal->error != 0 ? refusal->error : 1;
}

// Removes the folders TarnProtectFolder made, up to `created`, when they are empty.
extern "C" __declspec(dllexport) void __stdcall TarnRemoveFolder(const wchar_t* folder,
                                                                 const wchar_t* created) {
    tarnsetup::RemoveInstallFolder(Text(folder), Text(created));
}

// Keeps other setups and removals out until the process ends; 0, or why not.
extern "C" __declspec(dllexport) DWORD __stdcall TarnLockSetup() {
    return tarnsetup::LockSetup();
}

// Stops the earlier installation's service, waiting up to 30 seconds; 0 when it is
// stopped or not registered, 1053 when it did not stop, or why it could not be asked.
extern "C" __declspec(dllexport) DWORD __stdcall TarnStopService() {
    return tarnsetup::StopEarlierService();
}
