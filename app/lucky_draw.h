#pragma once

#include <optional>

#include "draw_cycle.h"
#include "fatal_stop.h"
#include "name_pool.h"
#include "tick_clock.h"
#include "window_handlers.h"
#include "window_ops.h"

// The program's state and handlers, free of any toolkit: the pool, the draw, and what happens at
// the window's creation and at every close.
class LuckyDraw final : public WindowHandlers {
public:
    LuckyDraw(Text programDirectory, TickClock& clock, RuntimeErrorStop& stop);

    // Loads the pool from the list of those who have not won yet, else from the full list, and
    // reports the load in the title. Until this has run, every other event is dropped.
    void onWindowCreated(WindowOps& window);

    void onButtonClicked() override;
    void onTimerTick() override;
    void onWindowCloseQuery() override;

    // The normal end, after the event loop: frees the pool. No handler runs after this.
    void release();

    const NamePool& pool() const { return m_pool; }

private:
    bool handlingEvents() const {
        return m_window != nullptr && !m_released && !m_stop.hasStarted();
    }

    Text m_directory;
    TickClock& m_clock;
    RuntimeErrorStop& m_stop;
    NamePool m_pool;
    WindowOps* m_window = nullptr;
    std::optional<DrawCycle> m_draw;
    bool m_released = false;
};
