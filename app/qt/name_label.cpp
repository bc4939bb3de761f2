#include "name_label.h"

#include <QPaintEvent>
#include <QPainter>

#include "window_font.h"

NameLabel::NameLabel(QWidget* parent) : QWidget(parent) {
    setFont(windowFont(96));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);  // we fill every pixel ourselves
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void NameLabel::setText(const QString& text) {
    m_text = text;
    update();
}

void NameLabel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    if (m_text.isEmpty()) {
        return;
    }
    painter.setPen(QColor(255, 0, 0));
    // A line as wide as the text, centred, loses the same width at both edges when too wide.
    // No mnemonic flag: an "&" is drawn as it stands. A line break is drawn as a space.
    constexpr int kFlags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip;
    const int textWidth = painter.fontMetrics().boundingRect(QRect(), kFlags, m_text).width();
    const QRect line((width() - textWidth) / 2, 0, textWidth, height());
    painter.drawText(line, kFlags, m_text);
}
