// Native keyboard and mouse events become Win32 input messages: virtual-key codes and the
// lParam bits of key messages, MK_ flags, client coordinates, capture and hit testing.
#include "input.h"

#include "cursor.h"
#include "message_queue.h"
#include "window.h"

#include <array>
#include <deque>

namespace orvex::platform {

namespace {

// Native scan codes are USB HID keyboard usage ids; each maps to a virtual-key code and the
// PC keyboard's set-1 scan code that Win32 reports in lParam.
struct KeyEntry {
  int hid;
  int vk;
  int scan;
  bool extended;
};

constexpr KeyEntry kKeys[] = {
    {4, 'A', 0x1E, false},
    {5, 'B', 0x30, false},
    {6, 'C', 0x2E, false},
    {7, 'D', 0x20, false},
    {8, 'E', 0x12, false},
    {9, 'F', 0x21, false},
    {10, 'G', 0x22, false},
    {11, 'H', 0x23, false},
    {12, 'I', 0x17, false},
    {13, 'J', 0x24, false},
    {14, 'K', 0x25, false},
    {15, 'L', 0x26, false},
    {16, 'M', 0x32, false},
    {17, 'N', 0x31, false},
    {18, 'O', 0x18, false},
    {19, 'P', 0x19, false},
    {20, 'Q', 0x10, false},
    {21, 'R', 0x13, false},
    {22, 'S', 0x1F, false},
    {23, 'T', 0x14, false},
    {24, 'U', 0x16, false},
    {25, 'V', 0x2F, false},
    {26, 'W', 0x11, false},
    {27, 'X', 0x2D, false},
    {28, 'Y', 0x15, false},
    {29, 'Z', 0x2C, false},
    {30, '1', 0x02, false},
    {31, '2', 0x03, false},
    {32, '3', 0x04, false},
    {33, '4', 0x05, false},
    {34, '5', 0x06, false},
    {35, '6', 0x07, false},
    {36, '7', 0x08, false},
    {37, '8', 0x09, false},
    {38, '9', 0x0A, false},
    {39, '0', 0x0B, false},
    {40, VK_RETURN, 0x1C, false},
    {41, VK_ESCAPE, 0x01, false},
    {42, VK_BACK, 0x0E, false},
    {43, VK_TAB, 0x0F, false},
    {44, VK_SPACE, 0x39, false},
    {45, VK_OEM_MINUS, 0x0C, false},
    {46, VK_OEM_PLUS, 0x0D, false},
    {47, VK_OEM_4, 0x1A, false},
    {48, VK_OEM_6, 0x1B, false},
    {49, VK_OEM_5, 0x2B, false},
    {50, VK_OEM_5, 0x2B, false},
    {51, VK_OEM_1, 0x27, false},
    {52, VK_OEM_7, 0x28, false},
    {53, VK_OEM_3, 0x29, false},
    {54, VK_OEM_COMMA, 0x33, false},
    {55, VK_OEM_PERIOD, 0x34, false},
    {56, VK_OEM_2, 0x35, false},
    {57, VK_CAPITAL, 0x3A, false},
    {58, VK_F1, 0x3B, false},
    {59, VK_F1 + 1, 0x3C, false},
    {60, VK_F1 + 2, 0x3D, false},
    {61, VK_F1 + 3, 0x3E, false},
    {62, VK_F1 + 4, 0x3F, false},
    {63, VK_F1 + 5, 0x40, false},
    {64, VK_F1 + 6, 0x41, false},
    {65, VK_F1 + 7, 0x42, false},
    {66, VK_F1 + 8, 0x43, false},
    {67, VK_F1 + 9, 0x44, false},
    {68, VK_F1 + 10, 0x57, false},
    {69, VK_F1 + 11, 0x58, false},
    {70, VK_SNAPSHOT, 0x37, true},
    {71, VK_SCROLL, 0x46, false},
    {72, VK_PAUSE, 0x45, false},
    {73, VK_INSERT, 0x52, true},
    {74, VK_HOME, 0x47, true},
    {75, VK_PRIOR, 0x49, true},
    {76, VK_DELETE, 0x53, true},
    {77, VK_END, 0x4F, true},
    {78, VK_NEXT, 0x51, true},
    {79, VK_RIGHT, 0x4D, true},
    {80, VK_LEFT, 0x4B, true},
    {81, VK_DOWN, 0x50, true},
    {82, VK_UP, 0x48, true},
    {83, VK_NUMLOCK, 0x45, true},
    {84, VK_DIVIDE, 0x35, true},
    {85, VK_MULTIPLY, 0x37, false},
    {86, VK_SUBTRACT, 0x4A, false},
    {87, VK_ADD, 0x4E, false},
    {88, VK_RETURN, 0x1C, true},
    {89, VK_NUMPAD0 + 1, 0x4F, false},
    {90, VK_NUMPAD0 + 2, 0x50, false},
    {91, VK_NUMPAD0 + 3, 0x51, false},
    {92, VK_NUMPAD0 + 4, 0x4B, false},
    {93, VK_NUMPAD0 + 5, 0x4C, false},
    {94, VK_NUMPAD0 + 6, 0x4D, false},
    {95, VK_NUMPAD0 + 7, 0x47, false},
    {96, VK_NUMPAD0 + 8, 0x48, false},
    {97, VK_NUMPAD0 + 9, 0x49, false},
    {98, VK_NUMPAD0, 0x52, false},
    {99, VK_DECIMAL, 0x53, false},
    {100, VK_OEM_102, 0x56, false},
    {101, VK_APPS, 0x5D, true},
    {224, VK_CONTROL, 0x1D, false},
    {225, VK_SHIFT, 0x2A, false},
    {226, VK_MENU, 0x38, false},
    {227, VK_LWIN, 0x5B, true},
    {228, VK_CONTROL, 0x1D, true},
    {229, VK_SHIFT, 0x36, false},
    {230, VK_MENU, 0x38, true},
    {231, VK_RWIN, 0x5C, true},
};

constexpr int kHidCount = 256;

constexpr std::array<KeyCode, kHidCount> build_key_table() {
  std::array<KeyCode, kHidCount> table{};
  for (const KeyEntry& k : kKeys)
    table[static_cast<std::size_t>(k.hid)] = {k.vk, k.scan, k.extended};
  return table;
}

constexpr std::array<KeyCode, kHidCount> kKeyTable = build_key_table();

std::array<bool, kHidCount> key_down{};
// The character typed by the latest press of each scan code (index: scan | extended << 8).
std::array<int, 512> typed_character{};
// The characters of the presses still waiting for TranslateMessage, oldest first. A press is
// known again by its message's window, key, lParam and time.
struct TypedKey {
  HWND window;
  WPARAM vk;
  LPARAM bits;
  DWORD time;
  int character;
};
std::deque<TypedKey> typed_keys;
constexpr std::size_t kTypedKeysKept = 256; // presses that are never translated age out

HWND capture = 0;
std::uint32_t buttons_held = 0; // bit 0 left, 1 middle, 2 right
POINT cursor_screen{0, 0};

WPARAM mouse_key_flags(std::uint16_t modifiers) {
  WPARAM flags = 0;
  if (buttons_held & 1) flags |= MK_LBUTTON;
  if (buttons_held & 4) flags |= MK_RBUTTON;
  if (buttons_held & 2) flags |= MK_MBUTTON;
  if (modifiers & native::modifier::Shift) flags |= MK_SHIFT;
  if (modifiers & native::modifier::Control) flags |= MK_CONTROL;
  return flags;
}

// The window that receives keys: the one SDL reports, else the visible top-level window.
HWND key_target(native::WindowId id) {
  if (HWND w = window_from_native(id)) return w;
  for (HWND w : top_level_windows())
    if (window_visible(w)) return w;
  return 0;
}

void post_key(const native::Event& e) {
  HWND target = key_target(e.window);
  if (e.scancode < 0 || e.scancode >= kHidCount) return;
  KeyCode code = kKeyTable[static_cast<std::size_t>(e.scancode)];
  bool down = e.type == native::Event::Type::KeyDown;
  bool was_down = key_down[static_cast<std::size_t>(e.scancode)];
  key_down[static_cast<std::size_t>(e.scancode)] = down;
  if (!target || !code.vk) return;

  bool alt = (e.modifiers & native::modifier::Alt) && !(e.modifiers & native::modifier::Control);
  bool system = alt || code.vk == VK_F10 || code.vk == VK_MENU;
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  DWORD bits = 1u | (static_cast<DWORD>(code.scan) << 16);
  if (code.extended) bits |= 1u << 24;
  if (alt) bits |= 1u << 29;
  if (!down || was_down) bits |= 1u << 30;
  if (!down) bits |= 1u << 31;
  if (down) {
    typed_character[static_cast<std::size_t>(code.scan | (code.extended ? 0x100 : 0))] =
        e.character;
    typed_keys.push_back(
        {target, static_cast<WPARAM>(code.vk), static_cast<LPARAM>(bits), e.time, e.character});
    if (typed_keys.size() > kTypedKeysKept) typed_keys.pop_front();
  }
  post_input_message(MSG{target, message, static_cast<WPARAM>(code.vk), static_cast<LPARAM>(bits),
                         e.time, cursor_screen});
}

// Where a mouse event at a client point of a top-level window goes, in that window's client
// coordinates: the capture window, else the window under the point.
HWND mouse_target(HWND top, POINT client, POINT* local) {
  if (capture) {
    POINT top_origin = client_origin(top);
    POINT origin = client_origin(capture);
    *local = POINT{client.x + top_origin.x - origin.x, client.y + top_origin.y - origin.y};
    return capture;
  }
  return window_at(top, client, local);
}

bool inside_client(HWND wnd, POINT client) {
  int width, height;
  client_size(wnd, &width, &height);
  return client.x >= 0 && client.y >= 0 && client.x < width && client.y < height;
}

void post_mouse(const native::Event& e) {
  HWND top = window_from_native(e.window);
  if (!top && capture) top = top_level_of(capture);
  if (!top) return;
  POINT client{e.x, e.y};
  POINT origin = client_origin(top);
  cursor_screen = POINT{origin.x + e.x, origin.y + e.y};

  UINT message = WM_MOUSEMOVE;
  if (e.type == native::Event::Type::ButtonDown || e.type == native::Event::Type::ButtonUp) {
    bool down = e.type == native::Event::Type::ButtonDown;
    std::uint32_t bit = e.button == 1 ? 1u : e.button == 2 ? 2u : 4u;
    buttons_held = down ? (buttons_held | bit) : (buttons_held & ~bit);
    static constexpr UINT kDown[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    static constexpr UINT kUp[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
    message = (down ? kDown : kUp)[e.button - 1];
  }
  // NOTE: SDL keeps reporting the pointer outside the window while a button is held; without
  // a capture such events belong to whatever lies under the pointer, not to this window.
  if (!capture && !inside_client(top, client)) return;
  POINT local;
  HWND target = mouse_target(top, client, &local);
  if (!target) return;
  if (message == WM_MOUSEMOVE) {
    if (Window* w = lookup_window(target)) apply_cursor(w->cursor);
  }
  post_input_message(MSG{target, message, mouse_key_flags(e.modifiers),
                         MAKELPARAM(local.x, local.y), e.time, cursor_screen});
}

void post_wheel(const native::Event& e) {
  HWND target = key_target(e.window);
  if (!target) return;
  constexpr int kWheelDelta = 120;
  WPARAM flags = mouse_key_flags(e.modifiers) |
                 (static_cast<WPARAM>(static_cast<WORD>(e.wheel * kWheelDelta)) << 16);
  post_input_message(MSG{target, WM_MOUSEWHEEL, flags, MAKELPARAM(cursor_screen.x, cursor_screen.y),
                         e.time, cursor_screen});
}

} // namespace

KeyCode key_code(int hid_usage) {
  if (hid_usage < 0 || hid_usage >= kHidCount) return {};
  return kKeyTable[static_cast<std::size_t>(hid_usage)];
}

int translated_character(const MSG& keydown) {
  // NOTE: the native event says what the press typed with the modifiers of its moment; the
  // queue may hold several presses of one key by the time the first is translated.
  for (auto it = typed_keys.begin(); it != typed_keys.end(); ++it) {
    if (it->window != keydown.hwnd || it->vk != keydown.wParam || it->bits != keydown.lParam ||
        it->time != keydown.time)
      continue;
    int character = it->character;
    typed_keys.erase(typed_keys.begin(), it + 1); // older presses were taken untranslated
    return character;
  }
  // A key message the application made itself types what the key's latest press typed.
  auto bits = static_cast<DWORD>(keydown.lParam);
  std::size_t index = ((bits >> 16) & 0xFF) | ((bits & (1u << 24)) ? 0x100 : 0);
  return typed_character[index];
}

POINT last_cursor_position() {
  return cursor_screen;
}

void handle_native_event(const native::Event& e) {
  using Type = native::Event::Type;
  switch (e.type) {
  case Type::KeyDown:
  case Type::KeyUp: post_key(e); break;
  case Type::MouseMove:
  case Type::ButtonDown:
  case Type::ButtonUp: post_mouse(e); break;
  case Type::Wheel: post_wheel(e); break;
  case Type::CloseRequest:
    // NOTE: the window manager's close request takes the path of the close button: the
    // application's window procedure and DefWindowProcA decide what happens.
    if (HWND w = window_from_native(e.window)) PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    break;
  case Type::Quit:
    // An interrupt from the terminal closes the windows the same way.
    for (HWND w : top_level_windows()) PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    break;
  case Type::Exposed:
    if (HWND w = window_from_native(e.window)) {
      Window* window = lookup_window(w);
      if (window->first_exposure_pending)
        window->first_exposure_pending = false;
      else
        mark_updated(w, nullptr);
    }
    break;
  case Type::FocusGained:
  case Type::FocusLost: break; // GetForegroundWindow asks the native side when it is called
  }
}

void forget_window_input(HWND wnd) {
  if (capture == wnd) {
    capture = 0;
    native::capture_mouse(false);
  }
}

} // namespace orvex::platform

using namespace orvex::platform;

HWND SetCapture(HWND wnd) {
  if (!window_exists(wnd)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  HWND previous = capture;
  capture = wnd;
  native::capture_mouse(true);
  // Taking the capture again also tells the window that it changed, as Win32 does.
  if (previous) SendMessageA(previous, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(wnd));
  return previous;
}

BOOL ReleaseCapture() {
  HWND previous = capture;
  capture = 0;
  native::capture_mouse(false);
  if (previous) SendMessageA(previous, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  return capture;
}

BOOL SetCursorPos(int x, int y) {
  native::warp_mouse_global(x, y);
  return TRUE;
}

BOOL GetCursorPos(POINT* pt) {
  if (!pt) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  int x = cursor_screen.x, y = cursor_screen.y;
  if (native::global_mouse_position(&x, &y)) cursor_screen = POINT{x, y};
  *pt = cursor_screen;
  return TRUE;
}

HWND GetForegroundWindow() {
  return window_from_native(native::keyboard_focus());
}
HWND GetFocus() {
  return GetForegroundWindow();
}

int GetSystemMetrics(int index) {
  int width = 0, height = 0;
  if ((index == SM_CXSCREEN || index == SM_CYSCREEN) && native::screen_size(&width, &height))
    return index == SM_CXSCREEN ? width : height;
  return 0;
}
