#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "window_font.h"
#include "window_handlers.h"
#include "window_ops.h"

// The program's one window: the name label 标签1, the button 按钮1 and the timer 时钟1.
class MainWindow final : public WindowOps {
public:
    static constexpr int kOuterWidth = 380;
    static constexpr int kOuterHeight = 250;
    static constexpr wchar_t kClassName[] = L"LuckyDrawMainWindow";

    // Registers the window classes; once per process, before the first create().
    static bool registerClasses(HINSTANCE instance);
    // The window, hidden, with its controls and a stopped timer; nullptr if the system refuses
    // the window or one of its controls.
    static std::unique_ptr<MainWindow> create(WindowHandlers& handlers, HINSTANCE instance);

    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void setWindowTitle(std::string_view title) override;
    void setLabelText(std::string_view text) override;
    void setTimerPeriod(std::int32_t milliseconds) override;

    // Shows the window, brings it to the front and gives the button the focus.
    void show();
    // Null once the window is destroyed.
    HWND handle() const { return m_window; }

private:
    explicit MainWindow(WindowHandlers& handlers) : m_handlers(handlers) {}
    bool createControls(HINSTANCE instance);

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    WindowHandlers& m_handlers;
    // Declared before the window so that they outlive the controls that draw with them.
    WindowFont m_labelFont{96};
    WindowFont m_buttonFont{56};
    HWND m_window = nullptr;
    HWND m_label = nullptr;
    HWND m_button = nullptr;
    std::int32_t m_period = 0;
};
