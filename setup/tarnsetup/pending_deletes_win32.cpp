#include "setup/tarnsetup/pending_deletes_win32.h"

#include <windows.h>

#include <vector>

namespace tarnsetup {
namespace {

constexpr wchar_t kSessionManager[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr wchar_t kPendingRenames[] = L"PendingFileRenameOperations";

// The value holds pairs of names, source and target, each ended by a zero; an empty
// target asks for deletion. Empty strings are part of it, so it is read by its size.
std::vector<std::wstring> SplitBySize(const std::vector<wchar_t>& data) {
    std::vector<std::wstring> names;
    std::wstring current;
    for (const wchar_t c : data) {
        if (c == L'\0') {
            names.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return names;
}

bool IsDirectlyIn(const std::wstring& name, const std::wstring& prefix) {
    return name.size() > prefix.size() &&
           CompareStringOrdinal(name.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL &&
           name.find(L'\\', prefix.size()) == std::wstring::npos;
}

} // namespace

void DropPendingDeletes(const std::wstring& folder) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      &key) != ERROR_SUCCESS) {
        return;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, kPendingRenames, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_MULTI_SZ && size >= sizeof(wchar_t)) {
        std::vector<wchar_t> data(size / sizeof(wchar_t));
        if (RegQueryValueExW(key, kPendingRenames, nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS) {
            data.resize(size / sizeof(wchar_t));
            const std::vector<std::wstring> names = SplitBySize(data);
            const std::wstring prefix = L"\\??\\" + folder + L"\\";
            std::vector<wchar_t> kept;
            bool dropped = false;
            for (std::size_t i = 0; i + 1 < names.size(); i += 2) {
                if (names[i + 1].empty() && IsDirectlyIn(names[i], prefix)) {
                    dropped = true;
                    continue;
                }
                for (const std::wstring* name : {&names[i], &names[i + 1]}) {
                    kept.insert(kept.end(), name->begin(), name->end());
                    kept.push_back(L'\0');
                }
            }
            if (dropped && kept.empty()) {
                RegDeleteValueW(key, kPendingRenames);
            } else if (dropped) {
                kept.push_back(L'\0');
                RegSetValueExW(key, kPendingRenames, 0, REG_MULTI_SZ,
                               reinterpret_cast<const BYTE*>(kept.data()),
                               static_cast<DWORD>(kept.size() * sizeof(wchar_t)));
            }
        }
    }
    RegCloseKey(key);
}

} // namespace tarnsetup
