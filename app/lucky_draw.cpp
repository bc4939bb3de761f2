#include "lucky_draw.h"

#include <string>
#include <utility>

#include "name_list_file.h"
#include "program_directory.h"

LuckyDraw::LuckyDraw(Text programDirectory, TickClock& clock, RuntimeErrorStop& stop)
    : m_directory(std::move(programDirectory)), m_clock(clock), m_stop(stop), m_pool(stop) {}

void LuckyDraw::onWindowCreated(WindowOps& window) {
    const Text poolPath = poolFilePath(m_directory);
    const Text fullListPath = fullListFilePath(m_directory);
    m_window = &window;
    m_draw.emplace(m_pool, window, m_clock, m_stop, fullListPath, poolPath);

    if (fileExists(poolPath)) {
        m_pool.replaceAll(loadFile(poolPath, m_stop));
        Text title(text::kLoadedPoolBefore);
        title.append(std::to_string(m_pool.count())).append(text::kLoadedPoolAfter);
        window.setWindowTitle(title);
    } else {
        m_pool.replaceAll(loadFile(fullListPath, m_stop));
        window.setWindowTitle(Text(text::kLoadedFullList));
    }
}

void LuckyDraw::onButtonClicked() {
    if (handlingEvents()) {
        m_window->setTimerPeriod(100);
    }
}

void LuckyDraw::onTimerTick() {
    if (handlingEvents()) {
        m_draw->onTimerTick();
    }
}

void LuckyDraw::onWindowCloseQuery() {
    if (handlingEvents()) {
        (void)saveFile(poolFilePath(m_directory), m_pool, m_stop);
    }
}

void LuckyDraw::release() {
    m_released = true;
    m_pool.release();
}
