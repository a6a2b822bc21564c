// The Windows Installer package's custom actions: the same folder rules, service stop and
// Tarnward runs as the setup program's, read from and told to the installation's
// session. Deferred ones take their data, fields split by tabs, from CustomActionData.
#include "config/settings_names.h"
#include "setup/tarnsetup/ascii_names.h"
#include "setup/tarnsetup/earlier_service_win32.h"
#include "setup/tarnsetup/install_folder_win32.h"

#include <msiquery.h>

#include <string>
#include <vector>

namespace {

std::wstring Property(MSIHANDLE install, const wchar_t* name) {
    DWORD size = 0;
    wchar_t empty[1] = L"";
    if (MsiGetPropertyW(install, name, empty, &size) != ERROR_MORE_DATA) {
        return {};
    }
    std::vector<wchar_t> value(++size);
    if (MsiGetPropertyW(install, name, value.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    return std::wstring(value.data(), size);
}

std::vector<std::wstring> DataFields(MSIHANDLE install) {
    std::vector<std::wstring> fields(1);
    for (const wchar_t c : Property(install, L"CustomActionData")) {
        if (c == L'\t') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// Into the installation's log; as an error also shown, where the installation has a
// user interface.
void Tell(MSIHANDLE install, const std::wstring& text, INSTALLMESSAGE kind) {
    PMSIHANDLE record = MsiCreateRecord(1);
    MsiRecordSetStringW(record, 0, (L"Tarnlink: " + text).c_str());
    MsiProcessMessage(install, kind, record);
}

UINT Fail(MSIHANDLE install, const std::wstring& text) {
    Tell(install, text, INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR));
    return ERROR_INSTALL_FAILURE;
}

// The folder check of the deferred part, as the system, with the program folder held
// for the time of the action.
std::optional<tarnsetup::Refusal> Protect(const std::wstring& folder,
                                          const std::wstring& registered) {
    tarnsetup::FolderCheck check = tarnsetup::OpenInstallFolder(folder, registered);
    if (check.refusal) {
        return check.refusal;
    }
    std::wstring made;
    auto refusal = tarnsetup::ProtectInstallFolder(folder, check.kind, check.held, made);
    if (check.held != INVALID_HANDLE_VALUE) {
        CloseHandle(check.held);
    }
    return refusal;
}

} // namespace

// Immediate, before anything changes: INSTALLFOLDER against the folder rules, the
// earlier installation's folder (EARLIERFOLDER) counting as the registered one. Leaves
// the deferred actions their data: where to protect and what a rollback removes.
extern "C" __declspec(dllexport) UINT __stdcall TarnMsiCheckFolder(MSIHANDLE install) {
    const std::wstring folder = Property(install, L"INSTALLFOLDER");
    const std::wstring earlier = Property(install, L"EARLIERFOLDER");
    tarnsetup::FolderCheck check = tarnsetup::OpenInstallFolder(folder, earlier);
    if (check.held != INVALID_HANDLE_VALUE) {
        CloseHandle(check.held);
    }
    if (check.refusal) {
        return Fail(install, tarnsetup::RefusalMessage(*check.refusal));
    }
    // The service is registered from the earlier folder; a rollback could not put that
    // registration back once it named another one.
    if (!earlier.empty() && check.kind != tarnsetup::FolderKind::Upgrade) {
        return Fail(install, L"Tarnlink is installed in " + earlier +
                                 L"; an upgrade stays in that folder. Leave INSTALLFOLDER "
                                 L"unset, or remove Tarnlink first to install it elsewhere. "
                                 L"Nothing was changed.");
    }
    MsiSetPropertyW(install, L"ProtectFolder", (folder + L"\t" + earlier).c_str());
    MsiSetPropertyW(install, L"RemoveMadeFolders", (folder + L"\t" + check.firstMissing).c_str());
    // Undoing the registration removes it only where there was none before; the
    // earlier one, from the same folder, is what Tarnward.exe -i left.
    MsiSetPropertyW(
        install, L"RegisterServiceRollback",
        (folder + L"\t-u -q\t" + (tarnsetup::IsServiceRegistered() ? L"skip" : L"ignore")).c_str());
    return ERROR_SUCCESS;
}

// Deferred: makes the folder and its missing parents with the program folder's rights,
// or gives an existing one those rights (and everything in it, for a kept installation
// or an upgrade), checked again as the system.
extern "C" __declspec(dllexport) UINT __stdcall TarnMsiProtectFolder(MSIHANDLE install) {
    const std::vector<std::wstring> data = DataFields(install);
    const std::optional<tarnsetup::Refusal> refusal =
        Protect(data[0], data.size() > 1 ? data[1] : std::wstring());
    return refusal ? Fail(install, tarnsetup::RefusalMessage(*refusal)) : ERROR_SUCCESS;
}

// Rollback: the folders the installation made, when empty.
extern "C" __declspec(dllexport) UINT __stdcall TarnMsiRemoveMadeFolders(MSIHANDLE install) {
    const std::vector<std::wstring> data = DataFields(install);
    if (data.size() > 1) {
        tarnsetup::RemoveInstallFolder(data[0], data[1]);
    }
    return ERROR_SUCCESS;
}

// Immediate, before the earlier programs are replaced or removed and before anything is
// written: not while the control panel runs from the earlier folder (EARLIERFOLDER),
// and only once the service has stopped (30 seconds), so that its registration can be
// replaced or removed.
extern "C" __declspec(dllexport) UINT __stdcall TarnMsiStopService(MSIHANDLE install) {
    const std::wstring folder = Property(install, L"EARLIERFOLDER");
    if (!folder.empty() && tarnsetup::IsPanelRunning(folder)) {
        return Fail(install, L"The Tarnlink control panel is open (" + folder +
                                 L"). It keeps the service open, which could then be neither "
                                 L"replaced nor removed. Close it, then install again. Nothing "
                                 L"was changed.");
    }
    const DWORD error = tarnsetup::StopEarlierService();
    if (error != ERROR_SUCCESS) {
        return Fail(install, L"The service did not stop within 30 seconds (error " +
                                 std::to_wstring(error) +
                                 L"); it stays registered and may still run. Nothing was "
                                 L"changed.");
    }
    return ERROR_SUCCESS;
}

// Deferred and rollback: the folder's Tarnward.exe with the switches. The data's third
// field: "check" fails the installation on an exit code other than 0; "ignore" (a
// rollback) only logs it; "restore" (the rollback of a removal) runs it only when no
// service is registered, so that a registration still there is never replaced; "skip"
// runs nothing.
extern "C" __declspec(dllexport) UINT __stdcall TarnMsiRunTarnward(MSIHANDLE install) {
    const std::vector<std::wstring> data = DataFields(install);
    if (data.size() < 3) {
        return Fail(install, L"TarnMsiRunTarnward needs a folder, switches and a mode.");
    }
    if (data[2] == L"skip" || (data[2] == L"restore" && tarnsetup::IsServiceRegistered())) {
        return ERROR_SUCCESS;
    }
    bool started = false;
    const DWORD code = tarnsetup::RunTarnward(data[0], data[1], started);
    const std::wstring what = L"Tarnward.exe " + data[1] +
                              (started ? L" exited with " : L" could not be started: error ") +
                              std::to_wstring(code);
    if (started && code == 0) {
        Tell(install, what, INSTALLMESSAGE_INFO);
        return ERROR_SUCCESS;
    }
    if (data[2] != L"check") {
        Tell(install, what, INSTALLMESSAGE_INFO);
        return ERROR_SUCCESS;
    }
    return Fail(install, what + L" (see the exit codes of Tarnward.exe in the README).");
}

// Deferred, last: CONFIGFILE becomes the folder's Settings.ini when it has none; one
// that exists is never overwritten. A file that cannot be read fails the installation:
// the fleet's rules would be missing.
extern "C" __declspec(dllexport) UINT __stdcall TarnMsiSeedSettings(MSIHANDLE install) {
    const std::vector<std::wstring> data = DataFields(install);
    if (data.size() < 2 || data[0].empty()) {
        return ERROR_SUCCESS;
    }
    std::wstring target = data[1];
    if (!target.empty() && target.back() != L'\\') {
        target += L'\\';
    }
    target += tarnsetup::Widen(settings::kFileName);
    if (CopyFileW(data[0].c_str(), target.c_str(), TRUE)) {
        Tell(install, L"the settings " + target + L" were copied from " + data[0],
             INSTALLMESSAGE_INFO);
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS) {
        Tell(install, target + L" exists and is kept; CONFIGFILE is not used", INSTALLMESSAGE_INFO);
        return ERROR_SUCCESS;
    }
    return Fail(install, L"CONFIGFILE " + data[0] + L" could not be copied to " + target +
                             L" (error " + std::to_wstring(error) + L").");
}
