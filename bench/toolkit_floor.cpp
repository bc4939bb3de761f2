// The least a Qt Widgets program can do to show this window: the same frame, label, button and
// fonts, and nothing else. The program's start-up is measured against it.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "window_font.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window.setFixedSize(380, 250);

    QLabel label(QString::fromUtf8("某某某"), &window);
    label.setGeometry(16, 24, 336, 120);
    label.setFont(windowFont(96));
    label.setAlignment(Qt::AlignCenter);
    QPalette red = label.palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label.setPalette(red);

    QPushButton button(QString::fromUtf8("摇一摇"), &window);
    button.setGeometry(80, 152, 224, 64);
    button.setFont(windowFont(56));

    window.setWindowTitle(QString::fromUtf8(" 未发现上次未中名单，已读入原始名单。"));
    window.show();
    return QApplication::exec();
}
