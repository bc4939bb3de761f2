#pragma once

#include "fatal_stop.h"

// The fatal stop's box on Qt: modal, owned by no window, the error icon and one OK button. The
// test answers it through the box's own event loop; the process then ends at once.
class QtFatalStopSink final : public FatalStopSink {
public:
    void showErrorBox(const Text& text, const Text& title) override;
    [[noreturn]] void exitProcess(int status) override;
};

// While it lives, a fatal message from the toolkit (there is no display to connect to, so no
// window and no box) writes the fatal stop's text to standard error and ends the process with the
// fatal stop's status, instead of the toolkit's own abort.
class ToolkitStartGuard final {
public:
    ToolkitStartGuard();
    ~ToolkitStartGuard();
    ToolkitStartGuard(const ToolkitStartGuard&) = delete;
    ToolkitStartGuard& operator=(const ToolkitStartGuard&) = delete;
};
