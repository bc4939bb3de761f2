// Looks at the running program's window from another process, the way Windows itself sees it,
// and prints what it finds as UTF-8 "key=value" lines; or sends it a close request.
//   window_probe describe   the window, its controls and the focus
//   window_probe close      posts WM_CLOSE, as another program asking it to close would
//   window_probe close-box  where on the screen the caption's close button is
//   window_probe error-box  the fatal stop's box and whether the window is disabled meanwhile
//   window_probe icon-resource PROGRAM   the pictures of the program's icon
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

std::string utf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int inLength = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, out.data(), length, nullptr, nullptr);
    return out;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

// Raw bytes to the standard output, untouched by any console code page.
void print(std::string_view key, const std::string& value) {
    const std::string line = std::string(key) + "=" + value + "\n";
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
                &written, nullptr);
}

std::string rectText(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
           std::to_string(rect.right - rect.left) + "," + std::to_string(rect.bottom - rect.top);
}

// A control's place inside its parent's client area.
RECT placeInParent(HWND control) {
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

struct StyleBit {
    LONG_PTR bit;
    const char* name;
};

// A top-level window's and a child's style bits: some bits mean one thing in the one and another
// in the other.
constexpr StyleBit kTopLevelBits[] = {
    {WS_CAPTION, "caption"},         {WS_SYSMENU, "sysmenu"},       {WS_MINIMIZEBOX, "minimizebox"},
    {WS_MAXIMIZEBOX, "maximizebox"}, {WS_THICKFRAME, "thickframe"}, {WS_POPUP, "popup"},
    {WS_DISABLED, "disabled"}};
constexpr StyleBit kChildBits[] = {{WS_TABSTOP, "tabstop"}, {WS_DISABLED, "disabled"}};

template <std::size_t N>
std::string styleText(LONG_PTR style, const StyleBit (&bits)[N]) {
    std::string out;
    for (const auto& [bit, name] : bits) {
        if ((style & bit) == bit) {
            if (!out.empty()) {
                out += '|';
            }
            out += name;
        }
    }
    return out;
}

HWND mainWindow() { return ::FindWindowW(L"LuckyDrawMainWindow", nullptr); }

int describe() {
    const HWND window = mainWindow();
    if (window == nullptr) {
        return 1;
    }
    RECT outer;
    ::GetWindowRect(window, &outer);
    print("title", utf8(windowText(window)));
    print("visible", ::IsWindowVisible(window) ? "yes" : "no");
    print("screen", std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + "," +
                        std::to_string(::GetSystemMetrics(SM_CYSCREEN)));
    print("rect", rectText(outer));
    RECT client;
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    print("client", rectText(client));
    print("style", styleText(::GetWindowLongPtrW(window, GWL_STYLE), kTopLevelBits));
    print("owner", ::GetWindow(window, GW_OWNER) != nullptr ? "yes" : "no");
    print("appwindow", (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) ? "yes" : "no");
    // A system colour as the class background is stored as its index plus one.
    print("background", ::GetClassLongPtrW(window, GCLP_HBRBACKGROUND) == COLOR_BTNFACE + 1
                            ? "btnface"
                            : "other");
    print("icon", ::GetClassLongPtrW(window, GCLP_HICON) != 0 ? "yes" : "no");

    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &thread);
    print("active", thread.hwndActive == window ? "yes" : "no");

    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::string name = className(child) == L"Button" || className(child) == L"BUTTON"
                                     ? "button"
                                     : utf8(className(child));
        print(name + ".rect", rectText(placeInParent(child)));
        print(name + ".text", utf8(windowText(child)));
        const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
        print(name + ".style", styleText(style, kChildBits));
        if (name == "button") {
            print("button.type", (style & BS_TYPEMASK) == BS_PUSHBUTTON      ? "push"
                                 : (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? "defpush"
                                                                             : "other");
        }
        print(name + ".focus", thread.hwndFocus == child ? "yes" : "no");
    }
    return 0;
}

int close() {
    const HWND window = mainWindow();
    return window != nullptr && ::PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

// The first point along the caption, from the right, that the window calls its close button.
int closeBox() {
    const HWND window = mainWindow();
    if (window == nullptr) {
        return 1;
    }
    RECT outer;
    ::GetWindowRect(window, &outer);
    for (int y = outer.top; y < outer.top + 40; ++y) {
        for (int x = outer.right - 1; x > outer.right - 60; --x) {
            const LRESULT hit = ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (hit == HTCLOSE) {
                print("close-box", std::to_string(x - 3) + "," + std::to_string(y + 3));
                return 0;
            }
        }
    }
    return 1;
}

// The pictures of the program's icon resource: width x height x colours, one line each.
int iconResource(const wchar_t* program) {
    const HMODULE module = ::LoadLibraryExW(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found =
        module != nullptr ? ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON) : nullptr;
    if (found == nullptr) {
        return 1;
    }
    // A group icon: a 6-byte header with the count at offset 4, then 14 bytes per picture.
    const auto* group = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
    const int count = group[4] | group[5] << 8;
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        print("icon", std::to_string(entry[0]) + "x" + std::to_string(entry[1]) + "x" +
                          std::to_string(entry[2]));
    }
    return 0;
}

int errorBox() {
    const HWND box = ::FindWindowW(L"#32770", nullptr);
    if (box == nullptr) {
        return 1;
    }
    print("title", utf8(windowText(box)));
    print("owner", ::GetWindow(box, GW_OWNER) != nullptr ? "yes" : "no");
    std::string buttons;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring kind = className(child);
        if (kind == L"Button" || kind == L"BUTTON") {
            if (!buttons.empty()) {
                buttons += ',';
            }
            buttons += std::to_string(::GetDlgCtrlID(child));
        } else if (::GetDlgCtrlID(child) == 0xFFFF) {
            print("text", utf8(windowText(child)));  // the message; its line breaks kept
        } else if ((::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            print("icon", "yes");
        }
    }
    print("buttons", buttons);
    const HWND window = mainWindow();
    print("window", window == nullptr           ? "none"
                    : ::IsWindowEnabled(window) ? "enabled"
                                                : "disabled");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view command = argc > 1 ? argv[1] : L"";
    if (command == L"describe") {
        return describe();
    }
    if (command == L"close") {
        return close();
    }
    if (command == L"close-box") {
        return closeBox();
    }
    if (command == L"error-box") {
        return errorBox();
    }
    if (command == L"icon-resource" && argc > 2) {
        return iconResource(argv[2]);
    }
    std::fputs("usage: window_probe describe|close|close-box|error-box|icon-resource PROGRAM\n",
               stderr);
    return 2;
}
