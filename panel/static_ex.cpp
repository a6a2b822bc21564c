#include "panel/static_ex.h"

#include <array>

MessageMap CStaticEx::GetMessageMap() const {
    static constexpr std::array kMap{on::CtlColorReflect<&CStaticEx::CtlColor>()};
    return kMap;
}

HBRUSH CStaticEx::CtlColor(HDC dc, UINT /*ctlColorKind*/) {
    ::SetTextColor(dc, m_crText);
    ::SetBkMode(dc, TRANSPARENT);
    // No brush: the parent's ordinary colour handling paints the background.
    return nullptr;
}
