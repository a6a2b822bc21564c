#pragma once

#include <string>

namespace tarnward {

// Lower-cases the letters A to Z only; every other byte, 8-bit ones included, stays.
inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline void LowerAscii(std::string& text) {
    for (char& c : text) {
        c = LowerAscii(c);
    }
}

} // namespace tarnward
