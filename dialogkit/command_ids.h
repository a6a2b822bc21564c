#pragma once

#include <windows.h>

// The standard help command: a page's Help button arrives as this command.
inline constexpr UINT ID_HELP = 0xE146; // 57670

// The property sheet's Apply button.
inline constexpr int ID_APPLY_NOW = 0x3021;
