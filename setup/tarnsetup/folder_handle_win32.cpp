#include "setup/tarnsetup/folder_handle_win32.h"

#include <vector>

namespace tarnsetup {
namespace {

std::wstring WithoutTrailingSeparator(std::wstring path) {
    if (path.size() > 3 && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

} // namespace

bool SamePath(const std::wstring& a, const std::wstring& b) {
    const std::wstring left = WithoutTrailingSeparator(a);
    const std::wstring right = WithoutTrailingSeparator(b);
    return CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE) == CSTR_EQUAL;
}

HANDLE OpenFolderHandle(const std::wstring& path, DWORD access) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                       nullptr);
}

void CloseFolder(HANDLE& handle) {
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
}

std::optional<Refusal> VerifyHeldFolder(HANDLE held, const std::wstring& folder) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(held, &info)) {
        return Refusal{RefusalReason::NotWritable, folder, {}, GetLastError()};
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return Refusal{RefusalReason::Link, folder, folder};
    }
    std::vector<wchar_t> final(32768);
    const DWORD length =
        GetFinalPathNameByHandleW(held, final.data(), static_cast<DWORD>(final.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= final.size()) {
        return Refusal{RefusalReason::NotWritable, folder, {}, GetLastError()};
    }
    if (!SamePath(std::wstring(final.data(), length), L"\\\\?\\" + folder)) {
        return Refusal{RefusalReason::Link, folder, folder};
    }
    return std::nullopt;
}

std::optional<std::vector<FolderEntry>> ListFolder(HANDLE folder, DWORD& error) {
    std::vector<FolderEntry> entries;
    std::vector<unsigned char> buffer(64 * 1024);
    FILE_INFO_BY_HANDLE_CLASS request = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(folder, request, buffer.data(),
                                        static_cast<DWORD>(buffer.size()))) {
        request = FileIdBothDirectoryInfo;
        for (std::size_t offset = 0;;) {
            const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(&buffer[offset]);
            const std::wstring name(info->FileName, info->FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..") {
                entries.push_back({name, (info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                   (info->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
            }
            if (info->NextEntryOffset == 0) {
                break;
            }
            offset += info->NextEntryOffset;
        }
    }
    error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) {
        return std::nullopt;
    }
    return entries;
}

} // namespace tarnsetup
