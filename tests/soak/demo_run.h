// The demo as app/main.cpp runs it, for the long-running tests: the same set-up, with the
// start-up question answered in code (No: the 800 x 600 window), the same loop body and the
// same release.
#pragma once

#include <cstddef>

namespace orvex::test {

// Works from the build root, where the demo's pictures lie, and runs the demo's set-up.
void DEMOSETUP();
// One pass of the demo's loop body.
void DEMOFRAME();
// The demo's release at the end of its loop.
void DEMORELEASE();

// Resident memory of the process now, in KiB.
long RESIDENTKIB();
// Heap bytes in use: as the sanitizers count them, else as the C library does.
long long HEAPBYTESINUSE();
// A count from the environment, or the fallback when the variable is unset or not a number.
long ENVCOUNT(const char* name, long fallback);

} // namespace orvex::test
