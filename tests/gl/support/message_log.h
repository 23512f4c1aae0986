// Message-sequence recording. Windows of the logged class write every message their procedure
// receives into one log, with how it came: sent, posted and then dispatched, or sent from
// inside DefWindowProcA. Tests compare the log against a table of expected messages.
#pragma once

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orvex::test {

enum class Came {
  Sent,    // a direct call from outside any default procedure
  Posted,  // taken from the queue and dispatched
  Default, // sent while a DefWindowProcA of a logged window was running
};

struct LoggedMessage {
  HWND window;
  UINT message;
  Came came;
  WPARAM wParam;
  LPARAM lParam;
};

// One row of an expected sequence; a parameter of ANY matches every value, a window of 0
// matches every window.
struct ExpectedMessage {
  UINT message;
  Came came;
  std::optional<WPARAM> wParam;
  std::optional<LPARAM> lParam;
  HWND window = 0;
};
inline constexpr std::nullopt_t ANY = std::nullopt;

// How a logged window answers a message instead of passing it to DefWindowProcA; no value
// means the default procedure's answer.
using Reply = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

// Creates a window of the logged class (registered on first use); the creation messages are
// logged too.
HWND CREATELOGGEDWINDOW(DWORD style, int x, int y, int width, int height, HWND parent = 0,
                        HMENU id = 0);
// The log so far, and the way to start it afresh.
const std::vector<LoggedMessage>& MESSAGELOG();
void CLEARLOG();
// Sets the answers of every logged window; an empty reply restores the default procedure.
void SETREPLY(Reply reply);

// Takes, translates and dispatches messages until none is waiting; a thread message (WM_QUIT
// among them) goes into the log as posted to window 0. Returns how many were taken.
int PUMPMESSAGES();
// Takes, translates and dispatches the next message if one is waiting.
bool PUMPONE();

// Passes when the log matches the table row by row; otherwise prints the inputs, the
// expected and the actual sequence.
::testing::AssertionResult SAMEMESSAGES(const std::string& inputs,
                                        const std::vector<ExpectedMessage>& expected,
                                        const std::vector<LoggedMessage>& actual);

// The log without the messages given, for sequences where those are noise.
std::vector<LoggedMessage> WITHOUT(const std::vector<LoggedMessage>& log,
                                   std::initializer_list<UINT> messages);

std::string MESSAGENAME(UINT message);
std::ostream& operator<<(std::ostream& out, const LoggedMessage& m);

} // namespace orvex::test
