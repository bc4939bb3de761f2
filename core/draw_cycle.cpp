#include "draw_cycle.h"

#include <string>
#include <utility>

#include "name_list_file.h"

namespace {

Text remainingTitle(std::int32_t remaining) {
    Text title(text::kRemainingBefore);
    title += std::to_string(remaining);
    title += text::kRemainingAfter;
    return title;
}

}  // namespace

DrawCycle::DrawCycle(NamePool& pool, WindowOps& window, TickClock& clock, RuntimeErrorStop& stop,
                     Text fullListPath, Text poolPath)
    : m_pool(pool),
      m_window(window),
      m_stop(stop),
      m_random(clock),
      m_fullListPath(std::move(fullListPath)),
      m_poolPath(std::move(poolPath)) {}

void DrawCycle::onTimerTick() {
    // An empty pool would make every position out of range; start again from the full list, and
    // if that is empty too, stop rolling and say so instead of drawing.
    if (m_pool.count() == 0) {
        m_pool.replaceAll(loadFile(m_fullListPath, m_stop));
        if (m_pool.count() == 0) {
            m_window.setTimerPeriod(0);
            m_tickCount = 0;
            m_window.setWindowTitle(Text(text::kEmptyListTitle));
            return;
        }
    }

    m_remainingCount = m_pool.count();
    m_pickedPosition = m_random.randomInRange(1, m_remainingCount);
    m_window.setLabelText(m_pool.at(m_pickedPosition));
    if (++m_tickCount < kTicksPerDraw) {
        return;
    }

    m_remainingCount = m_pool.count() - 1;
    m_random.reseed();
    if (m_remainingCount > 0) {
        m_window.setWindowTitle(remainingTitle(m_remainingCount));
        m_pickedPosition = m_random.randomInRange(1, m_pool.count());
        m_window.setLabelText(m_pool.at(m_pickedPosition));
        m_pool.removeAt(m_pickedPosition);
    } else {
        // The last name has won and stays in the label; everyone is in the draw again.
        m_pool.replaceAll(loadFile(m_fullListPath, m_stop));
        m_remainingCount = m_pool.count() - 1;
        m_window.setWindowTitle(m_remainingCount < 0 ? Text(text::kEmptyListTitle)
                                                     : remainingTitle(m_remainingCount));
    }

    // Saved after every draw, so a crash or a killed process loses no winner.
    (void)saveFile(m_poolPath, m_pool, m_stop);
    m_window.setTimerPeriod(0);
    m_tickCount = 0;
}
