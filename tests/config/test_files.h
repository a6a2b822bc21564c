#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full path of a file in the folder, as the store takes it.
    std::string File(const std::string& name) const;
    // Names of what the folder holds, sorted.
    std::vector<std::string> Names() const;

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The file's sections as "[name]" and its keys by name, in file order: what both
// kernel32 and the own layer must keep, whatever else they do with the text.
std::vector<std::string> Layout(const std::string& path);
