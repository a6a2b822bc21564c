#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A shipped program beside the running test program, by its file name.
inline std::string ShippedProgramPath(const std::string& fileName) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string own(path, length);
    return own.substr(0, own.find_last_of('\\') + 1) + fileName;
}

// A program file loaded as data only, for reading its resources.
class CResourceFile {
public:
    explicit CResourceFile(const std::string& path)
        : m_module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    CResourceFile(const CResourceFile&) = delete;
    CResourceFile& operator=(const CResourceFile&) = delete;
    ~CResourceFile() {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }

    bool IsLoaded() const { return m_module != nullptr; }

    // The raw bytes of one resource; empty when it is missing.
    std::string Bytes(const wchar_t* type, WORD id) const {
        HRSRC found = FindResourceW(m_module, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) {
            return {};
        }
        HGLOBAL loaded = LoadResource(m_module, found);
        const auto* data = static_cast<const char*>(LockResource(loaded));
        return data != nullptr ? std::string(data, SizeofResource(m_module, found)) : "";
    }

    // One image of an icon group, size x size pixels; destroy it with DestroyIcon.
    HICON Icon(WORD id, int size) const {
        return static_cast<HICON>(
            LoadImageW(m_module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    }

private:
    HMODULE m_module;
};

// A program file's whole version information; empty when it has none.
inline std::vector<BYTE> VersionInfo(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<BYTE> info(size);
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, info.data())) {
        info.clear();
    }
    return info;
}

// One string of the version block of a language and code page ("040904e4").
inline std::string VersionString(const std::vector<BYTE>& info, const std::string& block,
                                 const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string key = "\\StringFileInfo\\" + block + "\\" + name;
    if (info.empty() || !VerQueryValueA(info.data(), key.c_str(), &value, &length) || length == 0) {
        return "<missing>";
    }
    return static_cast<const char*>(value);
}
