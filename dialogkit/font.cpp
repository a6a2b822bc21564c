#include "dialogkit/font.h"

CFont::~CFont() {
    if (m_font != nullptr)
        ::DeleteObject(m_font);
}

bool CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                       BYTE outputPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                       const std::wstring& faceName) {
    HFONT created = ::CreateFontW(height, width, escapement, orientation, weight, italic, underline,
                                  strikeOut, charSet, outputPrecision, clipPrecision, quality,
                                  pitchAndFamily, faceName.c_str());
    if (created == nullptr)
        return false;
    if (m_font != nullptr)
        ::DeleteObject(m_font);
    m_font = created;
    return true;
}
