// The scenarios, each a function that drives the API and writes the record, and the window
// rows they share.
#pragma once

#include "recorder.h"

namespace fidelity {

// The rows the framework's main window has: WM_PAINT validates through BeginPaint and EndPaint,
// WM_DESTROY posts the quit message. A scenario's own rows come first.
Handler with_standard_rows(Handler own = nullptr);

// Styles of the framework's main window: windowed with a caption, and full screen.
constexpr DWORD kCaptionedStyle = 0x96CA0000;
constexpr DWORD kFullScreenStyle = 0x96880000;
// A plain borderless window, whose client area is the requested rectangle everywhere.
constexpr DWORD kPopupStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE;

// The recorded calls the scenarios make most.
void destroy_window(HWND wnd);
LRESULT send_message(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
void post_message(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
void update_window(HWND wnd);
void client_rect(HWND wnd);

void window_captioned();
void window_borderless();
void window_popup();
void window_child();
void queue_order();
void timer_missed_periods();
void peek_noremove();
void send_close();
void syscommand_close();
void context_menu();
void alt_f4_syskeydown();
void capture_changes();
void input_mouse();
void input_child_region();
void input_keys();
void message_box_return();
void regions();
void bitmaps();

} // namespace fidelity
