#pragma once

#include <QString>

#include "text.h"

// GBK bytes to Unicode, for display only; bytes that are not GBK show as U+FFFD.
QString fromGbk(const Text& text);
