#pragma once

#include <QWidget>

// The large red name: one centred line, clipped at both edges alike, never wrapped, painted in a
// single pass over the face colour.
class NameLabel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NameLabel)

public:
    explicit NameLabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
