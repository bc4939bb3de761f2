#pragma once

#include <windows.h>

#include <string>

// The large red name 标签1, a control of our own: one centred line, clipped at both edges alike,
// never wrapped, painted in a single pass over the face colour. Like the system's controls it
// keeps its text as the window text and takes its font by WM_SETFONT.
namespace name_label {

inline constexpr wchar_t kClassName[] = L"LuckyDrawNameLabel";

// Once per process, before the first create().
bool registerClass(HINSTANCE instance);

HWND create(HWND parent, const RECT& place, const std::wstring& text, HINSTANCE instance);

}  // namespace name_label
