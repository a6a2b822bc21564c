#include "panel/message_box_win32.h"

#include "dialogkit/win_app.h"

namespace {

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::Warning:
        return MB_ICONWARNING;
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::Question:
        return MB_ICONQUESTION;
    case MessageIcon::None:
        break;
    }
    return 0;
}

UINT ButtonStyle(MessageButtons buttons) {
    return buttons == MessageButtons::YesNoCancel ? MB_YESNOCANCEL : MB_OK;
}

MessageAnswer Answer(int result) {
    switch (result) {
    case IDYES:
        return MessageAnswer::Yes;
    case IDNO:
        return MessageAnswer::No;
    case IDCANCEL:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace

MessageAnswer ShowMessageBox(HWND owner, const MessageRequest& request) {
    const std::wstring caption =
        request.caption.empty() ? AfxGetAppName() : std::wstring(request.caption);
    return Answer(::MessageBoxW(owner, request.text.c_str(), caption.c_str(),
                                IconStyle(request.icon) | ButtonStyle(request.buttons)));
}
