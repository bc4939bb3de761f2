#include <windows.h>

#include "error_box.h"
#include "program.h"
#include "steady_tick_clock.h"
#include "win32_front_end.h"

// Built as a GUI program: no console. The program takes no command line.
int main() {
    Win32FatalStopSink sink;
    RuntimeErrorStop stop(sink);
    SteadyTickClock clock;
    Win32FrontEnd frontEnd(::GetModuleHandleW(nullptr));
    return runProgram(frontEnd, clock, stop);
}
