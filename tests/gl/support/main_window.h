// The framework's main window as the demo opens it, and the demo's way of taking messages.
#pragma once

namespace orvex::test {

// OGLWINDOWSETTING and CREATEOGLWINDOW with the demo's arguments ("Reflection map",
// 800 x 600, 32 bits), then every message already waiting is handled.
void OPENMAINWINDOW(bool fullscreen = false);

// Calls SETGLMSG while a message is waiting, at most limit times; returns the number of calls.
int SETGLMSGUNTILIDLE(int limit = 100);

} // namespace orvex::test
