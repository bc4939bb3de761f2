#include "win32_front_end.h"

WindowOps* Win32FrontEnd::createWindow(WindowHandlers& handlers) {
    if (!MainWindow::registerClasses(m_instance)) {
        return nullptr;
    }
    m_window = MainWindow::create(handlers, m_instance);
    return m_window.get();
}

void Win32FrontEnd::showWindow() { m_window->show(); }

void Win32FrontEnd::runEventLoop() {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The dialog keys: Tab moves the focus, Esc sends IDCANCEL, Enter sends IDOK.
        const HWND window = m_window->handle();
        if (window != nullptr && ::IsDialogMessageW(window, &message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    m_window.reset();
}
