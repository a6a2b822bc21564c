#include "testing/panel_driver/remote_list_view.h"

#include "testing/panel_driver/ui_driver.h"

#include <commctrl.h>

#include <cstddef>

namespace {

constexpr std::size_t kTextChars = 512;
// One structure followed by its text buffer.
constexpr std::size_t kBlockSize = sizeof(LVITEMW) + kTextChars * sizeof(wchar_t);
constexpr int kColumnsShown = 3;
// State image 1 is the empty box, 2 the ticked one.
constexpr UINT kUnchecked = 1;
constexpr UINT kChecked = 2;

} // namespace

using ui::Send;

CRemoteListView::CRemoteListView(HWND list) : m_list(list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    m_process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (m_process != nullptr) {
        m_block = VirtualAllocEx(m_process, nullptr, kBlockSize, MEM_COMMIT | MEM_RESERVE,
                                 PAGE_READWRITE);
    }
}

CRemoteListView::~CRemoteListView() {
    if (m_block != nullptr) {
        VirtualFreeEx(m_process, m_block, 0, MEM_RELEASE);
    }
    if (m_process != nullptr) {
        CloseHandle(m_process);
    }
}

int CRemoteListView::RowCount() const {
    return static_cast<int>(Send(m_list, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring CRemoteListView::CellText(int row, int column) const {
    auto* remoteText = static_cast<wchar_t*>(m_block) + sizeof(LVITEMW) / sizeof(wchar_t);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = remoteText;
    item.cchTextMax = static_cast<int>(kTextChars);
    if (!WriteProcessMemory(m_process, m_block, &item, sizeof item, nullptr)) {
        return {};
    }
    const auto length =
        Send(m_list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_block));
    std::wstring text(kTextChars, L'\0');
    if (!ReadProcessMemory(m_process, remoteText, text.data(), kTextChars * sizeof(wchar_t),
                           nullptr)) {
        return {};
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::wstring CRemoteListView::RowText(int row) const {
    std::wstring text;
    for (int column = 0; column < kColumnsShown; ++column) {
        text += (column == 0 ? L"" : L" | ") + CellText(row, column);
    }
    return text;
}

std::wstring CRemoteListView::ColumnTitle(int column) const {
    auto* remoteText = static_cast<wchar_t*>(m_block) + sizeof(LVITEMW) / sizeof(wchar_t);
    LVCOLUMNW title{};
    title.mask = LVCF_TEXT;
    title.pszText = remoteText;
    title.cchTextMax = static_cast<int>(kTextChars);
    if (!WriteProcessMemory(m_process, m_block, &title, sizeof title, nullptr) ||
        !Send(m_list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
              reinterpret_cast<LPARAM>(m_block))) {
        return {};
    }
    std::wstring text(kTextChars, L'\0');
    ReadProcessMemory(m_process, remoteText, text.data(), kTextChars * sizeof(wchar_t), nullptr);
    return text.c_str();
}

bool CRemoteListView::IsChecked(int row) const {
    const auto state = static_cast<UINT>(
        Send(m_list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) >> 12 == kChecked;
}

void CRemoteListView::SetChecked(int row, bool checked) const {
    SetState(row, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(checked ? kChecked : kUnchecked));
}

void CRemoteListView::Select(const std::vector<int>& rows) const {
    SetState(-1, LVIS_SELECTED, 0);
    for (int row : rows) {
        SetState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
}

void CRemoteListView::SetState(int row, UINT mask, UINT state) const {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    if (WriteProcessMemory(m_process, m_block, &item, sizeof item, nullptr)) {
        Send(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_block));
    }
}
