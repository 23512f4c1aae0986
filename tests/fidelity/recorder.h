// The record a scenario writes: one line per message a window procedure receives (with how it
// came), per call the scenario makes (with its result) and per message its own loop retrieves
// for the thread. Handles and pointers are masked so that two runs on two implementations of
// the API can be compared line by line.
//
// Lines, first word first:
//   msg  <message> <window> <how> w=<wParam> l=<lParam>   a window procedure is entered
//   def  <message> <window> = <result>                     DefWindowProcA returned for it
//   call <function>(<arguments>) = <result>                a call of the scenario returned
//   thread <message> w=<wParam> l=<lParam>                 the loop took a message without window
//   quit <exit code>                                       the loop took WM_QUIT
//   input <actions>                                        the script was asked for input
// <how> is "dispatched" (by the scenario's own loop), or "sent:<call>" with the innermost call
// of the scenario (or DefWindowProcA made for it) during which the message arrived, followed by
// "@<message>" when that call was made while handling a message.
#pragma once

#include "win32_api.h"

#include <functional>
#include <string>
#include <vector>

namespace fidelity {

// Writes one line of the record (printf format, no newline).
void line(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Handle masking: a named handle prints as its name, 0 as 0, any other as "handle".
void name_handle(std::uintptr_t value, const std::string& name);
template <class H> void name_handle(H handle, const std::string& name) {
  name_handle(handle_value(handle), name);
}
std::string handle_name(std::uintptr_t value);
template <class H> std::string hname(H handle) {
  return handle_name(handle_value(handle));
}

std::string message_name(UINT message);
std::string hex(std::uintptr_t value);
std::string dec(long long value);
std::string point(LPARAM packed); // two signed 16-bit halves, x low
std::string rect(const RECT& r);
// Non-zero as "nonzero", for values that only say success (atoms, handles nobody names).
std::string nonzero(std::uintptr_t value);

// A call of the scenario: the frame that tells where sent messages arrive. The callable does
// the call and returns its result as text; the line follows everything the call caused.
void call(const char* function, const std::string& arguments,
          const std::function<std::string()>& fn);

// The handler of a scenario: returns true with the result set when it handles the message;
// otherwise the recording procedure passes it to DefWindowProcA.
using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;
void set_handler(Handler handler);

// The window procedure of the scenarios' window class.
LRESULT CALLBACK record_proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
extern const char* const kWindowClass;

// Registers the window class and moves the pointer out of the way; every scenario starts so.
void begin_scenario();

// Creates a window of the scenario class with the record's name; the call is recorded.
HWND create_window(const std::string& name, const char* title, DWORD style, int x, int y, int width,
                   int height, HWND parent = 0, int id = 0);

// The scenario's own loop: retrieves (PeekMessageA, PM_REMOVE), translates and dispatches
// until no message has come for idle_ms. Returns true when it took WM_QUIT, which ends it.
bool pump(unsigned idle_ms = 150);
// One loop turn: every message that is already waiting, without waiting for more.
bool pump_once();
// Dispatches one retrieved message the way the loop does (translate, dispatch, record).
void deliver(const MSG& msg);

// Asks the script that runs the scenario to carry out input actions, one per entry:
//   move X Y | down B | up B | key KEYS | keydown KEY | keyup KEY | focus TITLE |
//   wait-window TITLE | wait-gone TITLE | sleep MS
// and waits until it has (when wait is true). A script that does not answer ends the run.
void drive(const std::vector<std::string>& actions, bool wait = true);
// Waits until the script has carried out the latest input actions.
void await_input();

// The wParam/lParam text of a message, as the record prints it.
std::string parameters(UINT message, WPARAM wParam, LPARAM lParam);

} // namespace fidelity
