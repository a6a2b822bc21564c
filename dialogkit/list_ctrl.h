#pragma once

#include "dialogkit/wnd.h"

#include <commctrl.h>

#include <string>

// The list view control in report view: rows, columns, check boxes, selection.
class CListCtrl : public CWnd {
public:
    using CWnd::CWnd;

    // Sets exactly these extended styles: every other extended style goes off.
    void SetExtendedStyle(DWORD styles) {
        SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(styles));
    }

    // Answers the new column's index, or -1.
    int InsertColumn(int index, const std::wstring& title, int format, int width);
    int GetColumnWidth(int column) const {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    }
    void SetColumnWidth(int column, int width) {
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
    }
    // Answers the new row's index, or -1.
    int InsertItem(int index, const std::wstring& text);
    bool SetItemText(int row, int column, const std::wstring& text);

    void SetCheck(int row, bool checked);
    bool GetCheck(int row) const;

    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }

    // The first selected row after `after` (-1: from the top), or -1 when there is none.
    int GetNextSelected(int after = -1) const {
        return static_cast<int>(
            SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED));
    }
};
