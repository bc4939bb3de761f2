#pragma once

#include "fatal_stop.h"

// The fatal stop's box on Windows: owned by no window, the error icon and one OK button, modal
// to every window of the program; the process then ends at once.
class Win32FatalStopSink final : public FatalStopSink {
public:
    void showErrorBox(const Text& text, const Text& title) override;
    [[noreturn]] void exitProcess(int status) override;
};
