// The thread's message queue: posted messages, the quit flag and input messages, with paint
// and timer messages made on demand, retrieved in Win32's order.
#pragma once

#include <platform/win32.h>

namespace orvex::platform {

// Queues an input message; a mouse move replaces a mouse move for the same window queued last.
void post_input_message(const MSG& msg);
// Drops the queued messages of a window that is being destroyed.
void forget_window_messages(HWND wnd);
// Number of posted messages a queue holds before PostMessageA fails.
constexpr std::size_t kPostedMessageLimit = 10000;

} // namespace orvex::platform
