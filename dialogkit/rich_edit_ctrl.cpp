#include "dialogkit/rich_edit_ctrl.h"

namespace {
constexpr UINT kUtf16CodePage = 1200;
} // namespace

void CRichEditCtrl::SetSel(long start, long end) {
    CHARRANGE range{start, end};
    SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void CRichEditCtrl::HideSelection(bool hide, bool permanent) {
    if (permanent) {
        const auto option = static_cast<DWORD>(ECO_NOHIDESEL);
        if (hide)
            SendMessage(EM_SETOPTIONS, ECOOP_AND, static_cast<LPARAM>(~option));
        else
            SendMessage(EM_SETOPTIONS, ECOOP_OR, static_cast<LPARAM>(option));
    }
    SendMessage(EM_HIDESELECTION, hide ? TRUE : FALSE, 0);
}

std::wstring CRichEditCtrl::GetSelText() const {
    CHARRANGE range{};
    SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (range.cpMax <= range.cpMin)
        return {};
    // EM_GETTEXTEX takes the buffer's size, so the copy can never overrun it.
    std::wstring text(static_cast<std::size_t>(range.cpMax - range.cpMin) + 1, L'\0');
    GETTEXTEX request{};
    request.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    request.flags = GT_SELECTION;
    request.codepage = kUtf16CodePage;
    const auto copied = SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                    reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

long CRichEditCtrl::GetTextLength() const {
    GETTEXTLENGTHEX request{};
    request.flags = GTL_NUMCHARS | GTL_PRECISE;
    request.codepage = kUtf16CodePage;
    return static_cast<long>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&request)));
}
