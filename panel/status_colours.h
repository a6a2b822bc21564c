#pragma once

#include <cstdint>

// Colours of the Proxy page's labels as COLORREF values (red in the low byte).
namespace colours {

inline constexpr std::uint32_t kOnline = 0x00C800;  // RGB(0, 200, 0)
inline constexpr std::uint32_t kOffline = 0x0000FF; // RGB(255, 0, 0)
inline constexpr std::uint32_t kNote = 0x0000FF;    // the note is always red

} // namespace colours
