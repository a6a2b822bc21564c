#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Whole files as bytes, for the tests of the store and of the INI layer under it.
inline std::string ReadBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The file's sections as "[name]" and its keys by name, in file order: what both
// kernel32 and the own layer must keep, whatever else they do with the text.
inline std::vector<std::string> Layout(const std::string& path) {
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
