#pragma once

#include <windows.h>

#include <memory>

#include "front_end.h"
#include "main_window.h"

// The Win32 API behind the start-up: the window and its message loop. The log-off question comes
// to the window itself as WM_QUERYENDSESSION.
class Win32FrontEnd final : public FrontEnd {
public:
    explicit Win32FrontEnd(HINSTANCE instance) : m_instance(instance) {}

    WindowOps* createWindow(WindowHandlers& handlers) override;
    void showWindow() override;
    void runEventLoop() override;

private:
    HINSTANCE m_instance;
    std::unique_ptr<MainWindow> m_window;
};
