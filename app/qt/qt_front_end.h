#pragma once

#include <QApplication>
#include <memory>

#include "front_end.h"
#include "main_window.h"
#include "termination_signals.h"

// The Qt toolkit behind the start-up: the window, its event loop, and the desktop's requests to
// end (the session manager's log-off question and the termination signals).
class QtFrontEnd final : public FrontEnd {
public:
    explicit QtFrontEnd(QApplication& app) : m_app(app) {}

    WindowOps* createWindow(WindowHandlers& handlers) override;
    void showWindow() override;
    void runEventLoop() override;

    MainWindow* window() const { return m_window.get(); }

private:
    QApplication& m_app;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<TerminationSignals> m_signals;
};
