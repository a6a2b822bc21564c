#pragma once

#include <windows.h>

#include <string>

// A GDI font that this object owns and deletes.
class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont();

    // The parameters of CreateFontW, in its order. Replaces a font created before.
    bool CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outputPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                    const std::wstring& faceName);

    HFONT GetSafeHandle() const { return m_font; }

private:
    HFONT m_font = nullptr;
};
