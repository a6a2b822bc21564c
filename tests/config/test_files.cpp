#include "test_files.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

TempFolder::TempFolder() {
    // Test cases run as parallel processes: the time and a random number keep them apart.
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("tarn-config-" + std::to_string(stamp) + "-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& name) const {
    return (path_ / name).string();
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> Layout(const std::string& path) {
    std::string text = ReadBytes(path);
    for (char& c : text) {
        c = c == '\r' ? '\n' : c;
    }
    std::vector<std::string> layout;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with('[')) {
            layout.push_back(line);
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            layout.push_back(line.substr(0, equals));
        }
    }
    return layout;
}
