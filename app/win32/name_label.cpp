#include "name_label.h"

namespace name_label {
namespace {

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void paint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window, &paint);
    RECT area;
    ::GetClientRect(window, &area);
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));

    const std::wstring text = windowText(window);
    const auto font = reinterpret_cast<HFONT>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    const HGDIOBJ oldFont = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    ::SetTextColor(dc, RGB(255, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    // A line wider than the label loses the same width at both edges. No prefix processing: an
    // "&" is drawn as it stands.
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    if (oldFont != nullptr) {
        ::SelectObject(dc, oldFont);
    }
    ::EndPaint(window, &paint);
}

LRESULT CALLBACK labelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFONT:
            ::SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam) != 0) {
                ::InvalidateRect(window, nullptr, FALSE);
            }
            return 0;
        case WM_GETFONT:
            return ::GetWindowLongPtrW(window, GWLP_USERDATA);
        case WM_SETTEXT: {
            const LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
            ::InvalidateRect(window, nullptr, FALSE);
            return result;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_PAINT:
            paint(window);
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

bool registerClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = labelProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassExW(&windowClass) != 0;
}

HWND create(HWND parent, const RECT& place, const std::wstring& text, HINSTANCE instance) {
    return ::CreateWindowExW(0, kClassName, text.c_str(), WS_CHILD | WS_VISIBLE, place.left,
                             place.top, place.right - place.left, place.bottom - place.top, parent,
                             nullptr, instance, nullptr);
}

}  // namespace name_label
