#include <QApplication>
#include <optional>

#include "error_box.h"
#include "program.h"
#include "qt_front_end.h"
#include "steady_tick_clock.h"

int main(int, char** argv) {
    // The program takes no command line: only the program's name reaches the toolkit.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    std::optional<QApplication> app;
    {
        ToolkitStartGuard guard;
        app.emplace(toolkitArgc, toolkitArgv);
    }
    QtFatalStopSink sink;
    RuntimeErrorStop stop(sink);
    SteadyTickClock clock;
    QtFrontEnd frontEnd(*app);
    return runProgram(frontEnd, clock, stop);
}
