// The record: line output, handle masking, message names and parameters, call frames, the
// recording window procedure, the scenario's own loop and the input hand-over to the script.
#include "recorder.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>

#ifndef _WIN32
#include <time.h>
#endif

namespace fidelity {

void sleep_ms(unsigned ms) {
#ifdef _WIN32
  Sleep(ms);
#else
  timespec t{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0) {
  }
#endif
}

namespace {

std::FILE* output() {
  // Binary mode: the same bytes on both sides, no CR before the newline.
  static std::FILE* file = std::fopen("record.txt", "wb");
  if (!file) {
    std::fprintf(stderr, "cannot write record.txt\n");
    std::exit(2);
  }
  return file;
}

std::map<std::uintptr_t, std::string>& names() {
  static std::map<std::uintptr_t, std::string> table;
  return table;
}

// The name that the next unnamed window reaching the recording procedure takes: a window
// receives messages before CreateWindowExA returns its handle.
std::string pending_name;

enum class Kind { Num, Hex, Handle, Point, Create, Text, Ptr };

struct MessageInfo {
  UINT value;
  const char* name;
  Kind w, l;
};

// Messages by value, with how their parameters print. Values are Win32's.
constexpr MessageInfo kMessages[] = {
    {0x0000, "WM_NULL", Kind::Hex, Kind::Hex},
    {0x0001, "WM_CREATE", Kind::Num, Kind::Create},
    {0x0002, "WM_DESTROY", Kind::Num, Kind::Num},
    {0x0003, "WM_MOVE", Kind::Num, Kind::Point},
    {0x0005, "WM_SIZE", Kind::Num, Kind::Point},
    {0x0006, "WM_ACTIVATE", Kind::Hex, Kind::Handle},
    {0x0007, "WM_SETFOCUS", Kind::Handle, Kind::Num},
    {0x0008, "WM_KILLFOCUS", Kind::Handle, Kind::Num},
    {0x000A, "WM_ENABLE", Kind::Num, Kind::Num},
    {0x000C, "WM_SETTEXT", Kind::Num, Kind::Text},
    {0x000D, "WM_GETTEXT", Kind::Num, Kind::Ptr},
    {0x000E, "WM_GETTEXTLENGTH", Kind::Num, Kind::Num},
    {0x000F, "WM_PAINT", Kind::Num, Kind::Num},
    {0x0010, "WM_CLOSE", Kind::Num, Kind::Num},
    {0x0011, "WM_QUERYENDSESSION", Kind::Num, Kind::Hex},
    {0x0012, "WM_QUIT", Kind::Num, Kind::Num},
    {0x0014, "WM_ERASEBKGND", Kind::Handle, Kind::Num},
    {0x0015, "WM_SYSCOLORCHANGE", Kind::Num, Kind::Num},
    {0x0018, "WM_SHOWWINDOW", Kind::Num, Kind::Num},
    {0x001A, "WM_SETTINGCHANGE", Kind::Num, Kind::Ptr},
    {0x001C, "WM_ACTIVATEAPP", Kind::Num, Kind::Handle},
    {0x001F, "WM_CANCELMODE", Kind::Num, Kind::Num},
    {0x0020, "WM_SETCURSOR", Kind::Handle, Kind::Hex},
    {0x0021, "WM_MOUSEACTIVATE", Kind::Handle, Kind::Hex},
    {0x0024, "WM_GETMINMAXINFO", Kind::Num, Kind::Ptr},
    {0x003D, "WM_GETOBJECT", Kind::Hex, Kind::Hex},
    {0x0046, "WM_WINDOWPOSCHANGING", Kind::Num, Kind::Ptr},
    {0x0047, "WM_WINDOWPOSCHANGED", Kind::Num, Kind::Ptr},
    {0x007B, "WM_CONTEXTMENU", Kind::Handle, Kind::Point},
    {0x007C, "WM_STYLECHANGING", Kind::Hex, Kind::Ptr},
    {0x007D, "WM_STYLECHANGED", Kind::Hex, Kind::Ptr},
    {0x007E, "WM_DISPLAYCHANGE", Kind::Num, Kind::Point},
    {0x007F, "WM_GETICON", Kind::Num, Kind::Num},
    {0x0080, "WM_SETICON", Kind::Num, Kind::Handle},
    {0x0081, "WM_NCCREATE", Kind::Num, Kind::Create},
    {0x0082, "WM_NCDESTROY", Kind::Num, Kind::Num},
    {0x0083, "WM_NCCALCSIZE", Kind::Num, Kind::Ptr},
    {0x0084, "WM_NCHITTEST", Kind::Num, Kind::Point},
    {0x0085, "WM_NCPAINT", Kind::Handle, Kind::Num},
    {0x0086, "WM_NCACTIVATE", Kind::Num, Kind::Handle},
    {0x0088, "WM_SYNCPAINT", Kind::Num, Kind::Num},
    {0x00A0, "WM_NCMOUSEMOVE", Kind::Hex, Kind::Point},
    {0x00A1, "WM_NCLBUTTONDOWN", Kind::Hex, Kind::Point},
    {0x0100, "WM_KEYDOWN", Kind::Hex, Kind::Hex},
    {0x0101, "WM_KEYUP", Kind::Hex, Kind::Hex},
    {0x0102, "WM_CHAR", Kind::Hex, Kind::Hex},
    {0x0103, "WM_DEADCHAR", Kind::Hex, Kind::Hex},
    {0x0104, "WM_SYSKEYDOWN", Kind::Hex, Kind::Hex},
    {0x0105, "WM_SYSKEYUP", Kind::Hex, Kind::Hex},
    {0x0106, "WM_SYSCHAR", Kind::Hex, Kind::Hex},
    {0x0107, "WM_SYSDEADCHAR", Kind::Hex, Kind::Hex},
    {0x0111, "WM_COMMAND", Kind::Hex, Kind::Handle},
    {0x0112, "WM_SYSCOMMAND", Kind::Hex, Kind::Point},
    {0x0113, "WM_TIMER", Kind::Num, Kind::Ptr},
    {0x0116, "WM_INITMENU", Kind::Handle, Kind::Num},
    {0x0117, "WM_INITMENUPOPUP", Kind::Handle, Kind::Hex},
    {0x011F, "WM_MENUSELECT", Kind::Hex, Kind::Handle},
    {0x0120, "WM_MENUCHAR", Kind::Hex, Kind::Handle},
    {0x0121, "WM_ENTERIDLE", Kind::Num, Kind::Handle},
    {0x0200, "WM_MOUSEMOVE", Kind::Hex, Kind::Point},
    {0x0201, "WM_LBUTTONDOWN", Kind::Hex, Kind::Point},
    {0x0202, "WM_LBUTTONUP", Kind::Hex, Kind::Point},
    {0x0203, "WM_LBUTTONDBLCLK", Kind::Hex, Kind::Point},
    {0x0204, "WM_RBUTTONDOWN", Kind::Hex, Kind::Point},
    {0x0205, "WM_RBUTTONUP", Kind::Hex, Kind::Point},
    {0x0206, "WM_RBUTTONDBLCLK", Kind::Hex, Kind::Point},
    {0x0207, "WM_MBUTTONDOWN", Kind::Hex, Kind::Point},
    {0x0208, "WM_MBUTTONUP", Kind::Hex, Kind::Point},
    {0x020A, "WM_MOUSEWHEEL", Kind::Hex, Kind::Point},
    {0x0210, "WM_PARENTNOTIFY", Kind::Hex, Kind::Handle},
    {0x0211, "WM_ENTERMENULOOP", Kind::Num, Kind::Num},
    {0x0212, "WM_EXITMENULOOP", Kind::Num, Kind::Num},
    {0x0215, "WM_CAPTURECHANGED", Kind::Num, Kind::Handle},
    {0x0231, "WM_ENTERSIZEMOVE", Kind::Num, Kind::Num},
    {0x0232, "WM_EXITSIZEMOVE", Kind::Num, Kind::Num},
    {0x0281, "WM_IME_SETCONTEXT", Kind::Num, Kind::Hex},
    {0x0282, "WM_IME_NOTIFY", Kind::Hex, Kind::Hex},
    {0x0283, "WM_IME_CONTROL", Kind::Hex, Kind::Hex},
    {0x0285, "WM_IME_SELECT", Kind::Num, Kind::Handle},
    {0x0288, "WM_IME_REQUEST", Kind::Hex, Kind::Hex},
    {0x02A1, "WM_MOUSEHOVER", Kind::Hex, Kind::Point},
    {0x02A2, "WM_NCMOUSELEAVE", Kind::Num, Kind::Num},
    {0x02A3, "WM_MOUSELEAVE", Kind::Num, Kind::Num},
    {0x030F, "WM_QUERYNEWPALETTE", Kind::Num, Kind::Num},
    {0x0311, "WM_PALETTECHANGED", Kind::Handle, Kind::Num},
    {0x031F, "WM_DWMNCRENDERINGCHANGED", Kind::Num, Kind::Num},
};

const MessageInfo* find_message(UINT message) {
  for (const MessageInfo& m : kMessages)
    if (m.value == message) return &m;
  return nullptr;
}

std::string format(Kind kind, std::uintptr_t value) {
  switch (kind) {
  case Kind::Num: return dec(static_cast<long long>(static_cast<std::intptr_t>(value)));
  case Kind::Hex: return hex(value);
  case Kind::Handle: return handle_name(value);
  case Kind::Point: return point(static_cast<LPARAM>(value));
  case Kind::Ptr: return value ? "ptr" : "0";
  case Kind::Text:
    return value ? "\"" + std::string(reinterpret_cast<const char*>(value)) + "\"" : "0";
  case Kind::Create: {
    if (!value) return "0";
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(value);
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "cs{%d,%d,%dx%d style=%s ex=%s parent=%s \"%s\"}", cs->x,
                  cs->y, cs->cx, cs->cy, hex(static_cast<DWORD>(cs->style)).c_str(),
                  hex(cs->dwExStyle).c_str(), hname(cs->hwndParent).c_str(),
                  cs->lpszName ? cs->lpszName : "");
    return buffer;
  }
  }
  return "?";
}

// Where the scenario is: the calls it has made and the messages it is handling, innermost last.
struct Frame {
  bool is_call;
  std::string name; // the function of a call
  UINT message;     // the message of a handler
  const MSG* dispatching = nullptr;
  bool delivered = false;
};
std::vector<Frame> frames;

struct FrameGuard {
  explicit FrameGuard(Frame f) { frames.push_back(std::move(f)); }
  ~FrameGuard() { frames.pop_back(); }
  FrameGuard(const FrameGuard&) = delete;
  FrameGuard& operator=(const FrameGuard&) = delete;
};

std::string arrival(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  int call_at = -1;
  for (int i = static_cast<int>(frames.size()) - 1; i >= 0; --i)
    if (frames[static_cast<std::size_t>(i)].is_call) {
      call_at = i;
      break;
    }
  if (call_at < 0) return "sent:-";
  if (call_at + 1 < static_cast<int>(frames.size()))
    return "sent:?@" + message_name(frames.back().message);
  Frame& c = frames[static_cast<std::size_t>(call_at)];
  if (c.dispatching && !c.delivered && c.dispatching->hwnd == wnd &&
      c.dispatching->message == message && c.dispatching->wParam == wParam &&
      c.dispatching->lParam == lParam) {
    c.delivered = true;
    return "dispatched";
  }
  std::string how = "sent:" + c.name;
  for (int i = call_at - 1; i >= 0; --i)
    if (!frames[static_cast<std::size_t>(i)].is_call)
      return how + "@" + message_name(frames[static_cast<std::size_t>(i)].message);
  return how;
}

Handler current_handler;

bool is_key_message(UINT m) {
  return m >= 0x0100 && m <= 0x0109;
}

using Clock = std::chrono::steady_clock;

} // namespace

const char* const kWindowClass = "FidelityWindow";

void line(const char* format, ...) {
  char buffer[4096];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  std::FILE* out = output();
  std::fputs(buffer, out);
  std::fputc('\n', out);
  std::fflush(out);
}

void name_handle(std::uintptr_t value, const std::string& name) {
  if (value) names()[value] = name;
}

std::string handle_name(std::uintptr_t value) {
  if (!value) return "0";
  auto it = names().find(value);
  return it != names().end() ? it->second : "handle";
}

std::string message_name(UINT message) {
  if (const MessageInfo* m = find_message(message)) return m->name;
  if (message >= 0x0400 && message < 0x8000) return "WM_USER+" + dec(message - 0x0400);
  return "msg:" + hex(message);
}

std::string hex(std::uintptr_t value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
  return buffer;
}

std::string dec(long long value) {
  return std::to_string(value);
}

std::string point(LPARAM packed) {
  auto bits = static_cast<std::uintptr_t>(packed);
  int x = static_cast<short>(bits & 0xFFFF), y = static_cast<short>((bits >> 16) & 0xFFFF);
  return "(" + dec(x) + "," + dec(y) + ")";
}

std::string rect(const RECT& r) {
  return "{" + dec(r.left) + "," + dec(r.top) + "," + dec(r.right) + "," + dec(r.bottom) + "}";
}

std::string nonzero(std::uintptr_t value) {
  return value ? "nonzero" : "0";
}

std::string parameters(UINT message, WPARAM wParam, LPARAM lParam) {
  const MessageInfo* m = find_message(message);
  Kind w = m ? m->w : Kind::Hex, l = m ? m->l : Kind::Hex;
  return "w=" + format(w, wParam) + " l=" + format(l, static_cast<std::uintptr_t>(lParam));
}

void call(const char* function, const std::string& arguments,
          const std::function<std::string()>& fn) {
  std::string result;
  {
    FrameGuard frame(Frame{true, function, 0});
    result = fn();
  }
  line("call %s(%s) = %s", function, arguments.c_str(), result.c_str());
}

void set_handler(Handler handler) {
  current_handler = std::move(handler);
}

LRESULT CALLBACK record_proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!pending_name.empty() && handle_name(handle_value(wnd)) == "handle") {
    name_handle(wnd, pending_name);
    pending_name.clear();
  }
  std::string how = arrival(wnd, message, wParam, lParam);
  line("msg %s %s %s %s", message_name(message).c_str(), hname(wnd).c_str(), how.c_str(),
       parameters(message, wParam, lParam).c_str());
  FrameGuard handling(Frame{false, "", message});
  LRESULT result = 0;
  if (current_handler && current_handler(wnd, message, wParam, lParam, result)) return result;
  {
    FrameGuard frame(Frame{true, "DefWindowProcA", 0});
    result = DefWindowProcA(wnd, message, wParam, lParam);
  }
  line("def %s %s = %s", message_name(message).c_str(), hname(wnd).c_str(),
       dec(static_cast<long long>(result)).c_str());
  return result;
}

void begin_scenario() {
  SetCursorPos(1200, 1000);
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = record_proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(0, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassA(&wc)) {
    line("setup RegisterClassA failed");
    std::exit(2);
  }
}

HWND create_window(const std::string& name, const char* title, DWORD style, int x, int y, int width,
                   int height, HWND parent, int id) {
  HWND wnd = 0;
  auto coordinate = [](int v) {
    return v == CW_USEDEFAULT ? std::string("CW_USEDEFAULT") : dec(v);
  };
  std::string args = std::string("0,\"") + kWindowClass + "\",\"" + title + "\"," + hex(style) +
                     "," + coordinate(x) + "," + coordinate(y) + "," + coordinate(width) + "," +
                     coordinate(height) + "," + hname(parent) + "," + dec(id);
  pending_name = name;
  call("CreateWindowExA", args, [&] {
    wnd = CreateWindowExA(0, kWindowClass, title, style, x, y, width, height, parent,
                          handle_from<HMENU>(static_cast<std::uintptr_t>(id)),
                          GetModuleHandleA(nullptr), nullptr);
    if (wnd) name_handle(wnd, name);
    return hname(wnd);
  });
  pending_name.clear();
  return wnd;
}

void deliver(const MSG& msg) {
  if (is_key_message(msg.message)) {
    call("TranslateMessage", message_name(msg.message),
         [&] { return dec(TranslateMessage(&msg)); });
  } else {
    FrameGuard frame(Frame{true, "TranslateMessage", 0});
    TranslateMessage(&msg);
  }
  if (!msg.hwnd) {
    line("thread %s %s", message_name(msg.message).c_str(),
         parameters(msg.message, msg.wParam, msg.lParam).c_str());
    return;
  }
  if (hname(msg.hwnd) == "handle")
    line("foreign %s %s", message_name(msg.message).c_str(),
         parameters(msg.message, msg.wParam, msg.lParam).c_str());
  FrameGuard frame(Frame{true, "DispatchMessageA", 0, &msg});
  DispatchMessageA(&msg);
}

namespace {

// Takes one message; records WM_QUIT.
bool take(MSG* msg, bool* quit) {
  BOOL got;
  {
    FrameGuard frame(Frame{true, "PeekMessageA", 0});
    got = PeekMessageA(msg, 0, 0, 0, PM_REMOVE);
  }
  if (!got) return false;
  if (msg->message == WM_QUIT) {
    line("quit %d", static_cast<int>(msg->wParam));
    *quit = true;
  }
  return true;
}

} // namespace

bool pump(unsigned idle_ms) {
  auto quiet_since = Clock::now();
  for (;;) {
    MSG msg;
    bool quit = false;
    if (take(&msg, &quit)) {
      if (quit) return true;
      deliver(msg);
      quiet_since = Clock::now();
      continue;
    }
    if (Clock::now() - quiet_since >= std::chrono::milliseconds(idle_ms)) return false;
    sleep_ms(5);
  }
}

bool pump_once() {
  MSG msg;
  bool quit = false;
  while (take(&msg, &quit)) {
    if (quit) return true;
    deliver(msg);
  }
  return false;
}

namespace {

int drive_count = 0;

bool file_exists(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

} // namespace

void drive(const std::vector<std::string>& actions, bool wait) {
  int n = ++drive_count;
  std::string listed;
  for (const std::string& a : actions) listed += (listed.empty() ? "" : ", ") + a;
  line("input %s", listed.c_str());
  std::string base = "drive-" + std::to_string(n);
  {
    std::FILE* f = std::fopen((base + ".tmp").c_str(), "wb");
    if (!f) {
      line("input cannot be handed over");
      std::exit(3);
    }
    for (const std::string& a : actions) std::fprintf(f, "%s\n", a.c_str());
    std::fclose(f);
  }
  std::rename((base + ".tmp").c_str(), (base + ".txt").c_str());
  if (wait) await_input();
}

void await_input() {
  std::string done = "drive-" + std::to_string(drive_count) + ".done";
  // Without looking at the message queue: the input stays with the system until the next turn.
  for (int waited = 0; !file_exists(done); waited += 10) {
    if (waited > 20000) {
      line("input timeout");
      std::exit(3);
    }
    sleep_ms(10);
  }
}

} // namespace fidelity
