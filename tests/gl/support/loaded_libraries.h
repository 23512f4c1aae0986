// Keeps the shared libraries loaded so far in memory until the process ends.
#pragma once

namespace orvex::test {

// NOTE: the GL driver is unloaded when the last native window or context goes, and what it
// allocated then shows up in the leak checker as leaks of an unknown module, which no
// suppression can name. Call this once the windows (and contexts) a test needs exist: every
// library loaded by then stays loaded, so what the driver keeps stays reachable.
void KEEPLOADEDLIBRARIES();

} // namespace orvex::test
