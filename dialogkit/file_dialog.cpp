#include "dialogkit/file_dialog.h"

#include "dialogkit/win_app.h"
#include "dialogkit/wnd.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>

std::wstring FileDialogFilter(std::wstring_view barSeparated) {
    std::wstring filter(barSeparated);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    while (filter.size() < 2 || filter[filter.size() - 1] != L'\0' ||
           filter[filter.size() - 2] != L'\0')
        filter.push_back(L'\0');
    return filter;
}

CFileDialog::CFileDialog(std::wstring defaultExtension, std::wstring fileName, DWORD flags,
                         std::wstring_view filter, CWnd* owner)
    : m_defaultExtension(std::move(defaultExtension)), m_path(std::move(fileName)), m_flags(flags),
      m_filter(filter.empty() ? std::wstring{} : FileDialogFilter(filter)), m_owner(owner) {}

INT_PTR CFileDialog::DoModal() {
    // Room for the longest path, so that no choice is cut short.
    std::wstring buffer(kLongestPathUnits, L'\0');
    std::copy_n(m_path.begin(), std::min(m_path.size(), buffer.size() - 1), buffer.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner != nullptr ? m_owner->GetSafeHwnd() : DefaultOwner();
    dialog.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    dialog.Flags = OFN_EXPLORER | m_flags;
    if (!::GetSaveFileNameW(&dialog))
        return IDCANCEL;
    m_path.assign(buffer.c_str());
    return IDOK;
}
