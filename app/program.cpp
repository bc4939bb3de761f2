#include "program.h"

#include "lucky_draw.h"
#include "program_directory.h"

int runProgram(FrontEnd& frontEnd, TickClock& clock, RuntimeErrorStop& stop) {
    LuckyDraw draw(programDirectory(), clock, stop);

    // The handlers drop every event until onWindowCreated has run, so nothing the creation
    // raises reaches them.
    WindowOps* window = frontEnd.createWindow(draw);
    if (window == nullptr) {
        stop.raise(0, text::kWindowCreationFailed);
    }
    draw.onWindowCreated(*window);
    frontEnd.showWindow();  // the title already holds the load report
    frontEnd.runEventLoop();

    draw.release();
    return 0;
}
