#pragma once

#include "panel/message_box.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Replaces the placeholders "%d" and "%s" of pattern, in order, with values.
// Placeholders beyond the values are left as they are; extra values are ignored.
std::wstring FillPlaceholders(std::wstring_view pattern,
                              std::initializer_list<std::wstring_view> values);

// The message ready to show, its placeholders filled in with values.
MessageRequest FilledMessage(const PanelMessage& message,
                             std::initializer_list<std::wstring_view> values);

// A platform result code as the user sees it: the 32 bits as a signed decimal,
// so the no-service code reads "-1".
std::wstring SignedDecimal(std::uint32_t code);
