#pragma once

#include "dialogkit/basic_controls.h"

#include <windows.h>

// A label that paints its text in a colour of its own over the parent's background.
class CStaticEx : public CStatic {
public:
    // COLORREF; the owner sets it and then changes the text or redraws.
    COLORREF m_crText = 0;

protected:
    MessageMap GetMessageMap() const override;

private:
    HBRUSH CtlColor(HDC dc, UINT ctlColorKind);
};
