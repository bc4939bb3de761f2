#pragma once

#include <string>
#include <string_view>

#include "text.h"

// GBK bytes to UTF-16 for the system's W calls, for display only. Code page 936 is named outright,
// so the texts show alike on a Windows of any language; bytes that are not GBK show as U+FFFD.
std::wstring fromGbk(std::string_view text);
