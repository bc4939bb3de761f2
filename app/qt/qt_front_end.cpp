#include "qt_front_end.h"

#include <QSessionManager>

WindowOps* QtFrontEnd::createWindow(WindowHandlers& handlers) {
    m_window = std::make_unique<MainWindow>(handlers);

    // The log-off question: save, and let the session end. Qt 6 no longer closes the windows
    // itself here, so the window stays open if the log-off is called off. Direct, because the
    // session manager waits for the answer within this call.
    QObject::connect(
        &m_app, &QGuiApplication::commitDataRequest, m_window.get(),
        [&handlers](QSessionManager&) { handlers.onWindowCloseQuery(); }, Qt::DirectConnection);

    // SIGTERM, SIGINT and SIGHUP are close requests like any other.
    m_signals = std::make_unique<TerminationSignals>();
    QObject::connect(m_signals.get(), &TerminationSignals::received, m_window.get(),
                     &QWidget::close);
    return m_window.get();
}

void QtFrontEnd::showWindow() {
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void QtFrontEnd::runEventLoop() {
    QApplication::exec();
    m_signals.reset();
    m_window.reset();
}
