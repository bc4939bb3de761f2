#pragma once

#include <cstdint>

#include "fatal_stop.h"
#include "name_pool.h"
#include "random_source.h"
#include "tick_clock.h"
#include "window_ops.h"

// One draw is ten ticks of the timer: nine rolling names, then the winner on the tenth.
class DrawCycle final {
public:
    static constexpr std::int32_t kTicksPerDraw = 10;

    DrawCycle(NamePool& pool, WindowOps& window, TickClock& clock, RuntimeErrorStop& stop,
              Text fullListPath, Text poolPath);

    // Runs on every tick of the timer.
    void onTimerTick();

    std::int32_t tickCount() const { return m_tickCount; }
    std::int32_t remainingCount() const { return m_remainingCount; }
    std::int32_t pickedPosition() const { return m_pickedPosition; }

private:
    NamePool& m_pool;
    WindowOps& m_window;
    RuntimeErrorStop& m_stop;
    RandomSource m_random;
    Text m_fullListPath;
    Text m_poolPath;
    std::int32_t m_tickCount = 0;
    std::int32_t m_remainingCount = 0;
    std::int32_t m_pickedPosition = 0;
};
