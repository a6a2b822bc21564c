#pragma once

#include "dialogkit/wnd.h"

// Controls that the pages use only through CWnd (text, enabling, showing, fonts): named
// types to attach with DDX_Control and to derive from.

class CButton : public CWnd {
public:
    using CWnd::CWnd;
};

class CStatic : public CWnd {
public:
    using CWnd::CWnd;
};
