#include "gl/support/message_log.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace orvex::test {

namespace {

constexpr const char* kLoggedClass = "LoggedWindow";
// A procedure that never validates its window would be given WM_PAINT for ever.
constexpr int kPumpLimit = 1000;

std::vector<LoggedMessage> message_log;
Reply reply;
bool dispatch_pending = false; // the next call of a logged procedure is the dispatched message
int procedure_depth = 0;
int default_depth = 0;

LRESULT CALLBACK LOGGEDPROC(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Came came = Came::Sent;
  if (dispatch_pending && procedure_depth == 0)
    came = Came::Posted;
  else if (default_depth > 0)
    came = Came::Default;
  dispatch_pending = false;
  message_log.push_back({wnd, message, came, wParam, lParam});

  ++procedure_depth;
  std::optional<LRESULT> answer;
  if (reply) answer = reply(wnd, message, wParam, lParam);
  if (!answer) {
    ++default_depth;
    answer = DefWindowProcA(wnd, message, wParam, lParam);
    --default_depth;
  }
  --procedure_depth;
  return *answer;
}

// Logged windows that a test leaves behind are destroyed when it ends, so that what they hold
// is given back before the process exits.
std::vector<HWND> logged_windows;

class DestroyLoggedWindows : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override {
    SETREPLY(nullptr);
    for (auto it = logged_windows.rbegin(); it != logged_windows.rend(); ++it)
      if (IsWindow(*it)) DestroyWindow(*it);
    logged_windows.clear();
  }
};

void register_logged_class() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = LOGGEDPROC;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kLoggedClass;
  registered = RegisterClassA(&wc) != 0;
  EXPECT_TRUE(registered) << "RegisterClassA failed, error " << GetLastError();
  ::testing::UnitTest::GetInstance()->listeners().Append(new DestroyLoggedWindows);
}

void dispatch(const MSG& msg) {
  if (msg.hwnd == 0) message_log.push_back({0, msg.message, Came::Posted, msg.wParam, msg.lParam});
  TranslateMessage(&msg);
  dispatch_pending = true;
  DispatchMessageA(&msg);
  dispatch_pending = false;
}

std::string hex(std::uint64_t v) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(v));
  return text;
}

const char* came_name(Came c) {
  switch (c) {
  case Came::Sent: return "sent";
  case Came::Posted: return "posted";
  case Came::Default: return "sent by DefWindowProcA";
  }
  return "?";
}

bool matches(const ExpectedMessage& e, const LoggedMessage& a) {
  return e.message == a.message && e.came == a.came && (!e.wParam || *e.wParam == a.wParam) &&
         (!e.lParam || *e.lParam == a.lParam) && (e.window == 0 || e.window == a.window);
}

std::string describe(const ExpectedMessage& e) {
  std::ostringstream out;
  out << MESSAGENAME(e.message) << ", " << came_name(e.came) << ", wParam "
      << (e.wParam ? hex(*e.wParam) : "any") << ", lParam "
      << (e.lParam ? hex(static_cast<std::uint64_t>(*e.lParam)) : "any");
  if (e.window) out << ", window " << hex(e.window);
  return out.str();
}

} // namespace

HWND CREATELOGGEDWINDOW(DWORD style, int x, int y, int width, int height, HWND parent, HMENU id) {
  register_logged_class();
  HWND wnd = CreateWindowExA(0, kLoggedClass, "logged", style, x, y, width, height, parent, id,
                             GetModuleHandleA(nullptr), nullptr);
  if (wnd) logged_windows.push_back(wnd);
  return wnd;
}

const std::vector<LoggedMessage>& MESSAGELOG() {
  return message_log;
}
void CLEARLOG() {
  message_log.clear();
}
void SETREPLY(Reply r) {
  reply = std::move(r);
}

int PUMPMESSAGES() {
  int taken = 0;
  MSG msg;
  while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
    dispatch(msg);
    if (++taken == kPumpLimit) {
      ADD_FAILURE() << "the queue never ran dry; last message " << MESSAGENAME(msg.message);
      break;
    }
  }
  return taken;
}

bool PUMPONE() {
  MSG msg;
  if (!PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) return false;
  dispatch(msg);
  return true;
}

::testing::AssertionResult SAMEMESSAGES(const std::string& inputs,
                                        const std::vector<ExpectedMessage>& expected,
                                        const std::vector<LoggedMessage>& actual) {
  std::size_t n = std::min(expected.size(), actual.size());
  std::size_t first = 0;
  while (first < n && matches(expected[first], actual[first])) ++first;
  if (first == n && expected.size() == actual.size()) return ::testing::AssertionSuccess();

  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << "inputs: " << inputs << "\nexpected " << expected.size() << " messages:\n";
  for (std::size_t i = 0; i < expected.size(); ++i)
    failure << (i == first ? " >" : "  ") << i << ": " << describe(expected[i]) << "\n";
  failure << "actual " << actual.size() << " messages:\n";
  for (std::size_t i = 0; i < actual.size(); ++i)
    failure << (i == first ? " >" : "  ") << i << ": " << actual[i] << "\n";
  failure << "first difference at " << first;
  return failure;
}

std::vector<LoggedMessage> WITHOUT(const std::vector<LoggedMessage>& log,
                                   std::initializer_list<UINT> messages) {
  std::vector<LoggedMessage> kept;
  for (const LoggedMessage& m : log)
    if (std::find(messages.begin(), messages.end(), m.message) == messages.end()) kept.push_back(m);
  return kept;
}

std::string MESSAGENAME(UINT message) {
  struct Name {
    UINT message;
    const char* name;
  };
  static constexpr Name kNames[] = {
      {WM_NULL, "WM_NULL"},
      {WM_CREATE, "WM_CREATE"},
      {WM_DESTROY, "WM_DESTROY"},
      {WM_MOVE, "WM_MOVE"},
      {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"},
      {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_SETTEXT, "WM_SETTEXT"},
      {WM_PAINT, "WM_PAINT"},
      {WM_CLOSE, "WM_CLOSE"},
      {WM_QUIT, "WM_QUIT"},
      {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
      {WM_SETCURSOR, "WM_SETCURSOR"},
      {WM_NCCREATE, "WM_NCCREATE"},
      {WM_NCDESTROY, "WM_NCDESTROY"},
      {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
      {WM_KEYDOWN, "WM_KEYDOWN"},
      {WM_KEYUP, "WM_KEYUP"},
      {WM_CHAR, "WM_CHAR"},
      {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
      {WM_SYSKEYUP, "WM_SYSKEYUP"},
      {WM_SYSCHAR, "WM_SYSCHAR"},
      {WM_COMMAND, "WM_COMMAND"},
      {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
      {WM_TIMER, "WM_TIMER"},
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
      {WM_RBUTTONUP, "WM_RBUTTONUP"},
      {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
      {WM_MBUTTONUP, "WM_MBUTTONUP"},
      {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
      {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
  };
  for (const Name& n : kNames)
    if (n.message == message) return n.name;
  if (message >= WM_USER) return "WM_USER+" + std::to_string(message - WM_USER);
  return hex(message);
}

std::ostream& operator<<(std::ostream& out, const LoggedMessage& m) {
  return out << MESSAGENAME(m.message) << ", " << came_name(m.came) << ", wParam " << hex(m.wParam)
             << ", lParam " << hex(static_cast<std::uint64_t>(m.lParam)) << ", window "
             << hex(m.window);
}

} // namespace orvex::test
