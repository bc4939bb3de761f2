#pragma once

#include <vector>

#include "fatal_stop.h"

// Thrown in place of ending the process, so a test can look at what happened before.
struct ProcessExited {
    int status;
};

// Records the error box and the exit; `stop` is whatever should be seen as started meanwhile.
class FakeFatalStopSink final : public FatalStopSink {
public:
    struct Box {
        Text text;
        Text title;
        bool stopStartedWhenShown;
    };

    void watch(const RuntimeErrorStop& stop) { m_watched = &stop; }

    void showErrorBox(const Text& text, const Text& title) override {
        boxes.push_back({text, title, m_watched != nullptr && m_watched->hasStarted()});
        events.push_back("box");
    }
    [[noreturn]] void exitProcess(int status) override {
        events.push_back("exit " + std::to_string(status));
        throw ProcessExited{status};
    }

    std::vector<Box> boxes;
    std::vector<std::string> events;

private:
    const RuntimeErrorStop* m_watched = nullptr;
};
