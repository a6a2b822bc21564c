#include "panel/static_ex_win32.h"

#include "dialogkit/display_scale.h"

#include <array>

MessageMap CStaticEx::GetMessageMap() const {
    static constexpr std::array kMap{on::CtlColorReflect<&CStaticEx::CtlColor>()};
    return kMap;
}

HBRUSH CStaticEx::CtlColor(HDC dc, UINT /*ctlColorKind*/) {
    // In high contrast the text alone tells, in the theme's colour.
    ::SetTextColor(dc, IsHighContrastOn() ? ::GetSysColor(COLOR_WINDOWTEXT) : m_crText);
    ::SetBkMode(dc, TRANSPARENT);
    // No brush: the parent's ordinary colour handling paints the background.
    return nullptr;
}
