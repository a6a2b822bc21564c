#include "panel/rule_row_text.h"

#include "panel/panel_texts.h"
#include "panel/text_format.h"

namespace {

std::wstring FormatAddress(std::wstring_view pattern, std::uint32_t address) {
    const auto field = [address](int shift) { return std::to_wstring((address >> shift) & 0xFFu); };
    return FillPlaceholders(pattern, {field(24), field(16), field(8), field(0)});
}

} // namespace

std::wstring AddressText(std::uint32_t address) {
    return FormatAddress(texts::kAddressPattern, address);
}

std::wstring SourceRangeText(std::uint32_t first, std::uint32_t last) {
    std::wstring text = AddressText(first);
    if (last != first) {
        text += FormatAddress(texts::kRangeEndPattern, last);
    }
    return text;
}
