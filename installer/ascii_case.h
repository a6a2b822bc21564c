#pragma once

#include <string>

namespace tarnward {

// Lower-cases the letters A to Z only; every other byte, 8-bit ones included, stays.
inline void LowerAscii(std::string& text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
}

} // namespace tarnward
