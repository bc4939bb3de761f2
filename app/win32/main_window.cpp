#include "main_window.h"

#include <algorithm>

#include "gbk_text.h"
#include "label_text.h"
#include "name_label.h"
#include "resource.h"

namespace {

// Neither IDOK nor IDCANCEL: the dialog keys send those, and the button must not answer them.
constexpr int kButtonId = 100;
constexpr UINT_PTR kTimerId = 1;

// Caption with icon, title, system menu and close button; a thin frame of fixed size.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

constexpr RECT kLabelPlace{16, 24, 16 + 336, 24 + 120};
constexpr RECT kButtonPlace{80, 152, 80 + 224, 152 + 64};

}  // namespace

bool MainWindow::registerClasses(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(LUCKYDRAW_ICON));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassExW(&windowClass) != 0 && name_label::registerClass(instance);
}

std::unique_ptr<MainWindow> MainWindow::create(WindowHandlers& handlers, HINSTANCE instance) {
    std::unique_ptr<MainWindow> self(new MainWindow(handlers));
    // Centred on the whole primary screen, not its work area.
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2;
    // WM_NCCREATE stores the window in m_window.
    ::CreateWindowExW(WS_EX_APPWINDOW, kClassName, L"", kStyle, left, top, kOuterWidth,
                      kOuterHeight, nullptr, nullptr, instance, self.get());
    if (self->m_window == nullptr || !self->createControls(instance)) {
        return nullptr;
    }
    return self;
}

bool MainWindow::createControls(HINSTANCE instance) {
    if (m_labelFont.handle() == nullptr || m_buttonFont.handle() == nullptr) {
        return false;
    }
    m_label = name_label::create(m_window, kLabelPlace, fromGbk(text::kInitialLabelText), instance);
    m_button = ::CreateWindowExW(
        0, L"BUTTON", fromGbk(text::kButtonCaption).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kButtonPlace.left, kButtonPlace.top,
        kButtonPlace.right - kButtonPlace.left, kButtonPlace.bottom - kButtonPlace.top, m_window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)), instance, nullptr);
    if (m_label == nullptr || m_button == nullptr) {
        return false;
    }
    ::SendMessageW(m_label, WM_SETFONT, reinterpret_cast<WPARAM>(m_labelFont.handle()), FALSE);
    ::SendMessageW(m_button, WM_SETFONT, reinterpret_cast<WPARAM>(m_buttonFont.handle()), FALSE);
    return true;
}

MainWindow::~MainWindow() {
    if (m_window != nullptr) {
        // Destroyed without a close: the handlers hear nothing and no quit is posted, so a box
        // that follows is not ended by it.
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        ::DestroyWindow(m_window);
    }
}

void MainWindow::setWindowTitle(std::string_view title) {
    ::SetWindowTextW(m_window, fromGbk(title).c_str());
}

void MainWindow::setLabelText(std::string_view text) {
    ::SetWindowTextW(m_label,
                     fromGbk(visibleMiddle(text)).c_str());  // the label repaints when next it may
}

void MainWindow::setTimerPeriod(std::int32_t milliseconds) {
    milliseconds = std::max(milliseconds, 0);
    if (milliseconds == m_period) {
        return;  // a running timer keeps its rhythm
    }
    m_period = milliseconds;
    ::KillTimer(m_window, kTimerId);
    if (milliseconds > 0) {
        ::SetTimer(m_window, kTimerId, static_cast<UINT>(milliseconds), nullptr);
    }
}

void MainWindow::show() {
    ::ShowWindow(m_window, SW_SHOWNORMAL);
    ::UpdateWindow(m_window);
    ::SetForegroundWindow(m_window);
    ::SetFocus(m_button);
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->onMessage(message, wParam, lParam);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) {
                m_handlers.onButtonClicked();
            } else if (LOWORD(wParam) == IDCANCEL) {
                ::SendMessageW(m_window, WM_CLOSE, 0, 0);  // Esc
            }
            return 0;  // Enter sends IDOK, which does nothing
        case WM_SETFOCUS:
            // The button is the only control that takes the focus; it gets it back whenever the
            // window is activated again.
            ::SetFocus(m_button);
            return 0;
        case WM_TIMER:
            if (wParam == kTimerId) {
                m_handlers.onTimerTick();
            }
            return 0;
        case WM_CLOSE:
            // While the fatal stop's box disables the window, the box must be answered first:
            // destroying the window would end the box's loop with the quit message.
            if (::IsWindowEnabled(m_window)) {
                m_handlers.onWindowCloseQuery();
                ::DestroyWindow(m_window);
            }
            return 0;
        case WM_QUERYENDSESSION:
            // The log-off question: save, and let the session end. The window stays open, in case
            // the log-off is called off.
            m_handlers.onWindowCloseQuery();
            return TRUE;
        case WM_DESTROY:
            ::KillTimer(m_window, kTimerId);
            m_period = 0;
            ::PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY: {
            const HWND window = m_window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            m_window = m_label = m_button = nullptr;
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}
