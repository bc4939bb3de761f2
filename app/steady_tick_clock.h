#pragma once

#include <chrono>
#include <cstdint>

#include "tick_clock.h"

// A monotonic millisecond counter, cut to 32 bits like the system tick counter it stands for.
class SteadyTickClock final : public TickClock {
public:
    std::uint32_t milliseconds() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
};
