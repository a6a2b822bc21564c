#pragma once

#include <string>
#include <string_view>

// Message boxes as the panel's logic asks for them; the Win32 glue maps the
// kinds onto MB_ICON* and MB_* styles and the answers onto IDOK, IDYES...
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// One message as defined in panel_texts.h: exact text (or a pattern with %d
// and %s placeholders), caption, icon and buttons.
struct PanelMessage {
    std::wstring_view text;
    // Empty: the caption is the application's name (the executable's base name).
    std::wstring_view caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// A message ready to show: the text with its placeholders filled in.
struct MessageRequest {
    std::wstring text;
    std::wstring_view caption; // empty: the application's name
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Whatever owns a modal message box: a page, the sheet, or nothing at start-up.
class IMessageBoxOwner {
public:
    virtual ~IMessageBoxOwner() = default;
    // Shows the box modally and returns the button the user chose.
    virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
};

inline MessageRequest MakeRequest(const PanelMessage& message, std::wstring text) {
    return {std::move(text), message.caption, message.icon, message.buttons};
}

inline MessageRequest MakeRequest(const PanelMessage& message) {
    return MakeRequest(message, std::wstring(message.text));
}
