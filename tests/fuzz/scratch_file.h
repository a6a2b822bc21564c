#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

// One file in a folder of the process's own, removed when the process ends, for
// the targets that go through real files.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name)
        : folder_(std::filesystem::temp_directory_path() /
                  ("tarn-fuzz-" + std::to_string(getpid()))),
          path_((folder_ / name).string()) {
        std::filesystem::create_directories(folder_);
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return path_; }
    std::string Folder() const { return folder_.string(); }

    // Rewrites the file in place: the same inode, as an editor that truncates does.
    void Write(const std::string& bytes) const { WriteTo(path_, bytes); }
    static void WriteTo(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string Read() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path folder_;
    std::string path_;
};
