#pragma once

#include <cstdint>

// The system's millisecond tick counter, cut to 32 bits and wrapping.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t milliseconds() = 0;
};
