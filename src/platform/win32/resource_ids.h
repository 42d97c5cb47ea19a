#pragma once

// Shared by the resource script and the program.
#define HOPWICK_ICON 1
