#pragma once

#include <string>
#include <vector>

// Whole files as bytes, for the store's tests.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The file's sections as "[name]" and its keys by name, in file order: what both
// kernel32 and the own layer must keep, whatever else they do with the text.
std::vector<std::string> Layout(const std::string& path);
