// The native side of the layer: everything the Win32 model needs from the windowing system,
// expressed without any SDL type. Only the files in this directory implement it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvex::platform::native {

// Native windows are named by their SDL window id; 0 names none.
using WindowId = std::uint32_t;

// Initialises video once. Headless drivers are used only when the environment asks for them.
bool ensure_video();

// The exit code of a program whose display went away while it ran.
constexpr int kExitDisplayLost = 5;
// From now on, a broken connection to the display ends the program at once with
// kExitDisplayLost, instead of leaving it to the windowing library.
void end_on_display_loss();

struct WindowRequest {
  std::string title_utf8;
  int x = 0, y = 0;          // screen position of the client area
  int width = 0, height = 0; // client size
  bool decorated = true;     // caption and frame drawn by the window manager
  bool opengl = true;
};

// Creates a hidden window with the layer's fixed pixel format; 0 on failure.
WindowId create_window(const WindowRequest& request);
void destroy_window(WindowId window);
void show_window(WindowId window, bool show);
void set_window_title(WindowId window, const std::string& title_utf8);
void set_window_bounds(WindowId window, int x, int y, int width, int height);
// Client-area position in screen coordinates and client size.
bool window_bounds(WindowId window, int* x, int* y, int* width, int* height);
// Frame widths the window manager adds around the client area.
void window_borders(WindowId window, int* left, int* top, int* right, int* bottom);
WindowId keyboard_focus();

bool screen_size(int* width, int* height);
void warp_mouse_global(int x, int y);
bool global_mouse_position(int* x, int* y);
void capture_mouse(bool capture);

// OpenGL contexts: opaque pointers of the native library.
void* create_gl_context(WindowId window);
bool make_current(WindowId window, void* context);
void delete_gl_context(void* context);
void swap_window(WindowId window);

// Cursors: a system shape, or an ARGB image with its hot spot.
enum class SystemCursor {
  Arrow,
  IBeam,
  Wait,
  Crosshair,
  WaitArrow,
  SizeNWSE,
  SizeNESW,
  SizeWE,
  SizeNS,
  SizeAll,
  No,
  Hand
};
void* create_system_cursor(SystemCursor shape);
void* create_image_cursor(const std::uint32_t* argb, int width, int height, int hot_x, int hot_y);
void set_cursor(void* cursor);
void destroy_cursor(void* cursor);
void set_window_icon(WindowId window, const std::uint32_t* argb, int width, int height);

// Message boxes: buttons in display order; returns the chosen id, or -1 when no box could be
// shown.
struct MessageBoxButton {
  int id;
  std::string label;
  bool return_key = false;
  bool escape_key = false;
};
enum class MessageBoxIcon { None, Information, Warning, Error };
int show_message_box(const std::string& caption_utf8, const std::string& text_utf8,
                     const std::vector<MessageBoxButton>& buttons, MessageBoxIcon icon);

// Input and window events, as the layer needs to know them.
namespace modifier {
constexpr std::uint16_t Shift = 1, Control = 2, Alt = 4, CapsLock = 8, AltGr = 16;
}
struct Event {
  enum class Type {
    KeyDown,
    KeyUp,
    MouseMove,
    ButtonDown,
    ButtonUp,
    Wheel,
    CloseRequest,
    FocusGained,
    FocusLost,
    Exposed,
    Quit,
  };
  Type type;
  WindowId window = 0;
  int x = 0, y = 0;    // mouse position in the window's client coordinates
  int button = 0;      // 1 left, 2 middle, 3 right
  int wheel = 0;       // wheel steps, positive away from the user
  int scancode = 0;    // USB HID usage id of the key
  int character = 0;   // the character the key types with the current modifiers, or 0
  bool repeat = false; // key auto-repeat
  std::uint16_t modifiers = 0;
  std::uint32_t buttons = 0; // mouse buttons held: bit 0 left, 1 middle, 2 right
  std::uint32_t time = 0;    // milliseconds
};

// Hands every pending native event to the sink, without waiting.
void pump_events(void (*sink)(const Event&));
// Waits until a native event is pending or the timeout (ms, -1 = forever) passes.
void wait_events(int timeout_ms);
// Current modifier state, for mouse key flags.
std::uint16_t modifier_state();
std::uint32_t mouse_buttons();

} // namespace orvex::platform::native
