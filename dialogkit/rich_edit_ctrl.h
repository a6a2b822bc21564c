#pragma once

#include "dialogkit/wnd.h"

#include <richedit.h>

#include <string>

// The rich edit 2.0 control (class "RichEdit20W"; load it with AfxInitRichEdit2 first).
// Positions count characters, a paragraph break being one.
class CRichEditCtrl : public CWnd {
public:
    using CWnd::CWnd;

    void SetSel(long start, long end);
    // Replaces the selection, or inserts at the caret when the selection is empty.
    void ReplaceSel(const std::wstring& text, bool canUndo = false) {
        SendMessage(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::wstring GetSelText() const;
    // The number of characters, as selection positions count them.
    long GetTextLength() const;

    // hide=false keeps the selection shown without the focus; permanent makes it an option
    // of the control (ECO_NOHIDESEL) instead of a state until the next focus change.
    void HideSelection(bool hide, bool permanent);
    void LineScroll(int lines, int chars = 0) {
        SendMessage(EM_LINESCROLL, static_cast<WPARAM>(chars), lines);
    }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }

    // Answers the previous mask.
    DWORD SetEventMask(DWORD mask) {
        return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask)));
    }
    DWORD GetEventMask() const { return static_cast<DWORD>(SendMessage(EM_GETEVENTMASK)); }
    // Shows web and "mailto:" addresses as links; answers whether the control accepted it.
    bool SetAutoURLDetect(bool enable = true) {
        return SendMessage(EM_AUTOURLDETECT, enable ? TRUE : FALSE) == 0;
    }

    // The most characters the control takes. It takes only 32,767 until this is raised.
    void ExLimitText(long limit) { SendMessage(EM_EXLIMITTEXT, 0, limit); }
};
