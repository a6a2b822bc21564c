#pragma once

#include <windows.h>

// What a dialog procedure returns for a message it routed. Most answers travel in the
// DWLP_MSGRESULT slot with TRUE returned; WM_INITDIALOG, WM_CTLCOLOR*, WM_QUERYDRAGICON,
// WM_COMPAREITEM, WM_VKEYTOITEM and WM_CHARTOITEM return the answer itself. An unhandled
// message returns FALSE so that the dialog manager's default processing runs.
INT_PTR DialogProcResult(HWND dialog, UINT message, bool handled, LRESULT result);
