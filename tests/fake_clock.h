#pragma once

#include <cstdint>

#include "tick_clock.h"

// A clock that only moves when the test moves it.
class FakeClock final : public TickClock {
public:
    explicit FakeClock(std::uint32_t now = 0) : now(now) {}
    std::uint32_t milliseconds() override { return now; }

    std::uint32_t now;
};
