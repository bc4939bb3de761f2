#include "app_icon.h"

#include <QPixmap>

#include "app_icon.xpm"

QIcon appIcon() { return QIcon(QPixmap(kLuckyDrawIcon)); }
