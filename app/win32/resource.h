#pragma once

// Shared by the resource script and the code that loads from it.
#define LUCKYDRAW_ICON 1
