#pragma once

#include <cstdint>
#include <string>

// Texts of the Proxy page's rule rows. Addresses carry the first dotted field in
// the most significant byte.
std::wstring AddressText(std::uint32_t address);
// "first" alone, or "first-last" when the two differ.
std::wstring SourceRangeText(std::uint32_t first, std::uint32_t last);
