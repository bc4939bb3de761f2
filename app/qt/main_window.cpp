#include "main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "app_icon.h"
#include "gbk_text.h"
#include "label_text.h"
#include "window_font.h"

namespace {
// How long to wait for the window manager to report its frame before giving up on correcting it.
constexpr int kFrameCheckIntervalMs = 20;
constexpr int kFrameChecks = 150;
}  // namespace

MainWindow::MainWindow(WindowHandlers& handlers)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_handlers(handlers) {
    setWindowIcon(appIcon());

    m_label = new NameLabel(this);
    m_label->setObjectName(QString::fromUtf8("标签1"));
    m_label->setGeometry(16, 24, 336, 120);
    m_label->setText(fromGbk(text::kInitialLabelText));

    m_button = new QPushButton(fromGbk(text::kButtonCaption), this);
    m_button->setObjectName(QString::fromUtf8("按钮1"));
    m_button->setGeometry(80, 152, 224, 64);
    m_button->setFont(windowFont(56));
    m_button->setAutoDefault(false);
    m_button->setDefault(false);
    m_button->setFocusPolicy(Qt::StrongFocus);
    connect(m_button, &QPushButton::clicked, this, [this] { m_handlers.onButtonClicked(); });

    // A coarse timer may fire early or late by up to 5 %; the draw's rhythm is 100 ms.
    m_timer = new QTimer(this);
    m_timer->setObjectName(QString::fromUtf8("时钟1"));
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] { m_handlers.onTimerTick(); });

    // The client area starts at the whole outer size; once the window manager has framed the
    // window, the frame is taken off again so that the outer size ends up exact.
    setFixedSize(kOuterSize);
    placeOnScreen();
    m_button->setFocus();
}

void MainWindow::setWindowTitle(std::string_view title) { QWidget::setWindowTitle(fromGbk(title)); }

void MainWindow::setLabelText(std::string_view text) {
    m_label->setText(fromGbk(visibleMiddle(text)));
}

void MainWindow::setTimerPeriod(std::int32_t milliseconds) {
    milliseconds = std::max(milliseconds, 0);
    if (milliseconds == m_period) {
        return;  // a running timer keeps its rhythm
    }
    m_period = milliseconds;
    m_timer->stop();
    if (milliseconds > 0) {
        m_timer->start(milliseconds);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Qt may send a second close event while quitting; the query belongs to the user's request.
    if (!m_closed) {
        m_closed = true;
        m_handlers.onWindowCloseQuery();
        m_timer->stop();
    }
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            close();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F1:
            event->accept();  // deliberately nothing
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_frameChecksLeft == 0) {
        m_frameChecksLeft = kFrameChecks;
        QTimer::singleShot(kFrameCheckIntervalMs, this, &MainWindow::fitFrameToOuterSize);
    }
}

void MainWindow::placeOnScreen() {
    // Centred on the whole primary screen, not its work area.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.x() + (screen.width() - kOuterSize.width()) / 2,
         screen.y() + (screen.height() - kOuterSize.height()) / 2);
}

void MainWindow::fitFrameToOuterSize() {
    const QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty() && --m_frameChecksLeft > 0) {
        QTimer::singleShot(kFrameCheckIntervalMs, this, &MainWindow::fitFrameToOuterSize);
        return;
    }
    m_frameChecksLeft = -1;
    if (frameGeometry().size() != kOuterSize) {
        setFixedSize(kOuterSize - frame);
        placeOnScreen();
    }
}
