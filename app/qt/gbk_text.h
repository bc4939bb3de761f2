#pragma once

#include <QString>
#include <string_view>

#include "text.h"

// GBK bytes to Unicode, for display only; bytes that are not GBK show as U+FFFD.
QString fromGbk(std::string_view text);
