#pragma once

#include <cstdint>
#include <string_view>

#include "text.h"

// The only ways the handlers change what the window shows.
class WindowOps {
public:
    virtual ~WindowOps() = default;
    // The caption and the taskbar entry show the new title at once.
    virtual void setWindowTitle(std::string_view title) = 0;
    // The label shows the text the next time the window paints; of two writes in one handler only
    // the last is ever seen.
    virtual void setLabelText(std::string_view text) = 0;
    // Milliseconds between ticks; 0 (or less) stops the timer, the same period again changes
    // nothing, and a new positive period restarts it with its first tick one period later.
    virtual void setTimerPeriod(std::int32_t milliseconds) = 0;
};
