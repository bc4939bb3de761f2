#pragma once

#include <QIcon>

// The program's own 32 x 32 picture, for the caption and the taskbar.
QIcon appIcon();
