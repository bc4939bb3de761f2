#pragma once

#include <windows.h>

// The window's Song face at a character height of `pixels`, owned: deleted with this object.
class WindowFont final {
public:
    explicit WindowFont(int pixels);
    ~WindowFont();
    WindowFont(const WindowFont&) = delete;
    WindowFont& operator=(const WindowFont&) = delete;

    HFONT handle() const { return m_font; }

private:
    HFONT m_font;
};
