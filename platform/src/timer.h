// Timers: WM_TIMER is made on demand for an expired timer, one however many periods passed.
#pragma once

#include <platform/win32.h>

namespace orvex::platform {

// The timer message of the first expired timer that matches the filter; restarts its period
// when the message is removed.
bool next_timer_message(HWND filter, bool remove, MSG* out);
// Milliseconds until the next timer expires; -1 when there is none.
int ms_until_next_timer();
void kill_window_timers(HWND wnd);

} // namespace orvex::platform
