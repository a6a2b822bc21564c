#include "testing/standin_harness/standin_install.h"

#include "service/service_values.h"
#include "testing/standin_harness/service_registry.h"

#include <atomic>

namespace {

constexpr char kStandinProgram[] = "Proxy.exe";
constexpr char kFolderPrefix[] = "Tarnlink standin ";

std::string RunningProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// A new folder in the temporary folder, unique within the machine's runs.
std::string CreateUniqueFolder(DWORD& error) {
    static std::atomic<unsigned> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string folder = std::string(temp) + kFolderPrefix +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(counter++) + "\\";
        if (CreateDirectoryA(folder.c_str(), nullptr)) {
            error = 0;
            return folder;
        }
        error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    return {};
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") {
                DeleteFileA((folder + name).c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

CStandinInstall::CStandinInstall() {
    m_folder = CreateUniqueFolder(m_setupError);
    if (m_setupError == 0) {
        m_setupError = CopyProgram(kStandinProgram);
    }
}

CStandinInstall::~CStandinInstall() {
    Unregister();
    if (!m_folder.empty()) {
        RemoveFolder(m_folder);
    }
}

DWORD CStandinInstall::CopyProgram(const std::string& fileName) const {
    const std::string source = RunningProgramFolder() + fileName;
    return CopyFileA(source.c_str(), PathOf(fileName).c_str(), FALSE) ? 0 : GetLastError();
}

DWORD CStandinInstall::WriteFile(const std::string& fileName, const std::string& contents) const {
    HANDLE file = CreateFileA(PathOf(fileName).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    const DWORD error = ok ? 0 : GetLastError();
    CloseHandle(file);
    return error;
}

DWORD CStandinInstall::WriteBehaviour(const standin::Behaviour& behaviour) const {
    return WriteFile(standin::kBehaviourFileName, standin::FormatBehaviour(behaviour) + "\r\n");
}

std::string CStandinInstall::ReadFile(const std::string& fileName) const {
    HANDLE file = CreateFileA(PathOf(fileName).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string contents;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        contents.append(buffer, got);
    }
    CloseHandle(file);
    return contents;
}

DWORD CStandinInstall::Register() const {
    return service_registry::Register(scm::kServiceName, "\"" + PathOf(kStandinProgram) + "\"");
}

bool CStandinInstall::Unregister() const {
    return service_registry::RemoveCompletely(scm::kServiceName);
}
