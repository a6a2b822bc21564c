#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A list view of another process. Messages that carry a structure get it in a
// block of the other process's memory, as a pointer into our own would be
// meaningless there.
class CRemoteListView {
public:
    explicit CRemoteListView(HWND list);
    CRemoteListView(const CRemoteListView&) = delete;
    CRemoteListView& operator=(const CRemoteListView&) = delete;
    ~CRemoteListView();

    // False when the other process's memory cannot be reached.
    bool IsReady() const { return m_block != nullptr; }

    int RowCount() const;
    std::wstring CellText(int row, int column) const;
    // The row's three cells, joined by " | ", for readable comparisons.
    std::wstring RowText(int row) const;
    std::wstring ColumnTitle(int column) const;
    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked) const;
    // Selects exactly these rows.
    void Select(const std::vector<int>& rows) const;

private:
    void SetState(int row, UINT mask, UINT state) const;

    HWND m_list;
    HANDLE m_process = nullptr;
    void* m_block = nullptr;
};
