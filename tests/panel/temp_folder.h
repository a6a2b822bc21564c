#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

// A fresh folder under the system's temporary folder, removed with its content.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0;; ++attempt) {
            m_path = base / ("tarn-panel-" + std::to_string(Salt()) + "-" +
                             std::to_string(counter++) + "-" + std::to_string(attempt));
            if (std::filesystem::create_directory(m_path)) {
                break;
            }
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    // Full path of name inside the folder, as the 8-bit text the settings use.
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    static long long Salt() {
        return static_cast<long long>(
            std::filesystem::file_time_type::clock::now().time_since_epoch().count() % 1000000007);
    }

    std::filesystem::path m_path;
};
