#pragma once

// The events a front-end's window delivers to the program, each run to its end before the next.
class WindowHandlers {
public:
    virtual ~WindowHandlers() = default;
    virtual void onButtonClicked() = 0;
    virtual void onTimerTick() = 0;
    // Every close request, and the desktop's log-off question, runs this; it gives no answer, so
    // the window closes (or the log-off may go ahead).
    virtual void onWindowCloseQuery() = 0;
};
