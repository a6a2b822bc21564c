#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <string_view>

class CWnd;

// The common save-style file dialog.
class CFileDialog {
public:
    // filter: pairs of "description|pattern|", ending with a second '|', e.g.
    // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||". flags: OFN_* added to the defaults.
    // Without an owner the dialog is owned by DefaultOwner().
    CFileDialog(std::wstring defaultExtension, std::wstring fileName, DWORD flags,
                std::wstring_view filter, CWnd* owner = nullptr);

    // IDOK with a chosen file, IDCANCEL when the user cancelled or the dialog failed.
    INT_PTR DoModal();
    // The full path chosen in the last DoModal that answered IDOK.
    const std::wstring& GetPathName() const { return m_path; }

private:
    std::wstring m_defaultExtension;
    std::wstring m_path;
    DWORD m_flags;
    std::wstring m_filter;
    CWnd* m_owner;
};

// The filter in the dialog's own form: every '|' becomes a NUL, and the text ends in two
// NULs even when the bars do not say so.
std::wstring FileDialogFilter(std::wstring_view barSeparated);
