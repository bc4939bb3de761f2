#include "window_font.h"

#include <QStringList>

QFont windowFont(int pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QString::fromUtf8("宋体"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW")});
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}
