#include "dialogkit/dialog_result.h"

#include "dialogkit/message_map.h"

namespace {
bool ReturnsAnswerDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return true;
    default:
        return IsCtlColorMessage(message);
    }
}
} // namespace

INT_PTR DialogProcResult(HWND dialog, UINT message, bool handled, LRESULT result) {
    if (!handled)
        return FALSE;
    if (ReturnsAnswerDirectly(message))
        return result;
    ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}
