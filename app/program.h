#pragma once

#include "fatal_stop.h"
#include "front_end.h"
#include "tick_clock.h"

// The program's life from start to end, in its fixed order; returns the exit status.
int runProgram(FrontEnd& frontEnd, TickClock& clock, RuntimeErrorStop& stop);
