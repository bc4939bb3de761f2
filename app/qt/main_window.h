#pragma once

#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "name_label.h"
#include "window_handlers.h"
#include "window_ops.h"

// The program's one window: the name label 标签1, the button 按钮1 and the timer 时钟1.
class MainWindow final : public QWidget, public WindowOps {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    static constexpr QSize kOuterSize{380, 250};

    explicit MainWindow(WindowHandlers& handlers);

    using QWidget::setWindowTitle;
    void setWindowTitle(std::string_view title) override;
    void setLabelText(std::string_view text) override;
    void setTimerPeriod(std::int32_t milliseconds) override;

    std::int32_t timerPeriod() const { return m_period; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placeOnScreen();
    void fitFrameToOuterSize();

    WindowHandlers& m_handlers;
    NameLabel* m_label = nullptr;
    QPushButton* m_button = nullptr;
    QTimer* m_timer = nullptr;
    std::int32_t m_period = 0;
    bool m_closed = false;
    int m_frameChecksLeft = 0;
};
