// The non-blocking message pump of the frame loop.
#pragma once

#include <platform/win32.h>

namespace orvex {

// The message last taken by SETGLMSG; reused on every call.
inline MSG MSG_{};

// Takes and dispatches at most one waiting message; returns at once when none is waiting.
void SETGLMSG();

} // namespace orvex
