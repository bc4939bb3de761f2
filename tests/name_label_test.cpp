#include <QTest>

#include "name_label.h"

namespace {

constexpr int kLabelWidth = 336;
constexpr int kLabelHeight = 120;

QImage render(const QString& text, int width = kLabelWidth) {
    NameLabel label;
    label.resize(width, kLabelHeight);
    label.setText(text);
    return label.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool isRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 90 && qBlue(pixel) < 90; }

int redPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += isRed(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// The smallest rectangle holding every red pixel.
QRect redBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isRed(image.pixel(x, y))) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

QString utf8(const char* text) { return QString::fromUtf8(text); }

}  // namespace

class NameLabelTest final : public QObject {
    Q_OBJECT

private slots:
    void drawsTheNameInRedCentredBothWays() {
        const QImage image = render(utf8("张三"));
        const QRect bounds = redBounds(image);
        QVERIFY(redPixels(image) > 500);
        QVERIFY(bounds.height() > 60);  // a character height of 96 pixels
        QVERIFY(qAbs(bounds.left() - (kLabelWidth - 1 - bounds.right())) <= 3);
        QVERIFY(qAbs(bounds.top() - (kLabelHeight - 1 - bounds.bottom())) <= 16);
    }

    void aTooWideNameLosesTheSameWidthAtBothEdges() {
        // Drawn in a label wide enough for it, the middle 336 columns are exactly what the real
        // label shows.
        const QString name = utf8("一二三四五六七八");
        const int wide = 2000;
        const QImage whole = render(name, wide);
        QVERIFY(redBounds(whole).width() > kLabelWidth);
        const QImage clipped = render(name);
        QCOMPARE(clipped, whole.copy((wide - kLabelWidth) / 2, 0, kLabelWidth, kLabelHeight));
    }

    void anEmptyNameShowsOnlyTheFaceColour() {
        const QImage image = render(QString());
        const QRgb face = QPalette().color(QPalette::Window).rgb();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QCOMPARE(image.pixel(x, y), face);
            }
        }
    }

    void aLineBreakStaysOnOneLine() {
        const QRect oneLine = redBounds(render(QStringLiteral("AB CD")));
        const QRect withBreak = redBounds(render(QStringLiteral("AB\nCD")));
        QCOMPARE(withBreak.height(), oneLine.height());
        QVERIFY(qAbs(withBreak.width() - oneLine.width()) <= 2);
    }

    void anAmpersandIsDrawnAsItStands() {
        const QImage plain = render(QStringLiteral("RD"));
        const QImage single = render(QStringLiteral("R&D"));
        const QImage twice = render(QStringLiteral("A&&B"));
        QVERIFY(redBounds(single).width() > redBounds(plain).width());
        QVERIFY(redBounds(single).bottom() <= redBounds(plain).bottom() + 3);  // nothing underlined
        QVERIFY(redBounds(twice).width() > redBounds(render(QStringLiteral("A&B"))).width());
    }
};

QTEST_MAIN(NameLabelTest)
#include "name_label_test.moc"
