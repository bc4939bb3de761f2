#include "window_font.h"

WindowFont::WindowFont(int pixels)
    // A negative height asks for the character height rather than the cell height. The charset
    // lets the font mapper find a Chinese face where no 宋体 is installed.
    : m_font(::CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, L"宋体")) {}

WindowFont::~WindowFont() {
    if (m_font != nullptr) {
        ::DeleteObject(m_font);
    }
}
