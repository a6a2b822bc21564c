#pragma once

#include <string>

// Opens a web address, "mailto:" address or file with its default action in a normal
// window: no verb, no parameters, no working directory. Answers whether the shell
// accepted it.
bool ShellOpen(const std::wstring& target);
