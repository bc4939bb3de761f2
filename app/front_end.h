#pragma once

#include "window_handlers.h"
#include "window_ops.h"

// What the start-up needs from a windowing toolkit.
class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // Creates the window hidden, with its controls and a stopped timer, wired to `handlers`;
    // nullptr if it cannot be created.
    virtual WindowOps* createWindow(WindowHandlers& handlers) = 0;
    // Shows the window and makes it the active one.
    virtual void showWindow() = 0;
    // Runs until the window is gone.
    virtual void runEventLoop() = 0;
};
