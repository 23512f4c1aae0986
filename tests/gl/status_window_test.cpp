// The status window: where it sits, its parts and texts through the status-bar messages, what
// it paints on its surface and when it repaints, and the framework's CREATESTATUSBAR.
#include "compositor.h"
#include "framework/window/status_bar.h"
#include "gdi_object.h"
#include "gl/support/loaded_libraries.h"

#include "../sdl/native_text.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvex::test {
namespace {

constexpr int kParentWidth = 640;
constexpr int kParentHeight = 480;
constexpr UINT kBarId = 42;

HWND make_parent() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "StatusParent";
    registered = RegisterClassA(&wc) != 0;
  }
  HWND parent =
      CreateWindowExA(0, "StatusParent", "parent", WS_POPUP | WS_VISIBLE, 0, 0, kParentWidth,
                      kParentHeight, 0, 0, GetModuleHandleA(nullptr), nullptr);
  KEEPLOADEDLIBRARIES();
  return parent;
}

void pump() {
  MSG m;
  for (int i = 0; i < 1000 && PeekMessageA(&m, 0, 0, 0, PM_REMOVE); ++i) DispatchMessageA(&m);
}

bool paint_pending(HWND wnd) {
  MSG m;
  return PeekMessageA(&m, wnd, WM_PAINT, WM_PAINT, PM_NOREMOVE) && m.hwnd == wnd;
}

std::vector<int> parts_of(HWND bar) {
  std::vector<int> edges(static_cast<std::size_t>(SendMessageA(bar, SB_GETPARTS, 0, 0)), -99);
  SendMessageA(bar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  return edges;
}

std::string text_of(HWND bar, WPARAM part) {
  char text[300] = {};
  SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string list(const std::vector<int>& v) {
  std::string out;
  for (int e : v) out += (out.empty() ? "" : ", ") + std::to_string(e);
  return "[" + out + "]";
}

TEST(StatusWindow, SpansTheParentsBottomEdgeAtTheFontsHeight) {
  HWND parent = make_parent();
  ASSERT_TRUE(parent);
  HWND bar = CreateStatusWindowA(static_cast<LONG>(WS_CHILD | WS_VISIBLE), "Ready", parent, kBarId);
  ASSERT_TRUE(bar) << "error " << GetLastError();
  const int font = platform::native::ui_font_height();
  ASSERT_GT(font, 0) << "no user-interface font could be opened (fonts-dejavu-core?)";

  RECT client{}, outer{};
  GetClientRect(bar, &client);
  GetWindowRect(bar, &outer);
  POINT expected_origin{0, kParentHeight - (font + 6)};
  ClientToScreen(parent, &expected_origin);
  EXPECT_EQ(client.right, kParentWidth) << "as wide as the parent's client area";
  EXPECT_EQ(client.bottom, font + 6) << "font height + 6";
  EXPECT_EQ(outer.left, expected_origin.x);
  EXPECT_EQ(outer.top, expected_origin.y) << "its bottom is the parent's bottom";
  EXPECT_EQ(GetParent(bar), parent);
  EXPECT_EQ(GetDlgCtrlID(bar), static_cast<int>(kBarId));
  EXPECT_TRUE(IsWindowVisible(bar));
  EXPECT_EQ(text_of(bar, 0), "Ready");
  EXPECT_EQ(parts_of(bar), (std::vector<int>{-1})) << "one part to the right end";

  EXPECT_EQ(CreateStatusWindowA(static_cast<LONG>(WS_CHILD), "x", 0x12345, 1), 0u)
      << "no parent window";
  DestroyWindow(parent);
  EXPECT_FALSE(IsWindow(bar)) << "the bar goes with its parent";
}

TEST(StatusWindow, PartsAsSetAreReadBack) {
  HWND parent = make_parent();
  HWND bar = CreateStatusWindowA(static_cast<LONG>(WS_CHILD | WS_VISIBLE), "", parent, kBarId);
  ASSERT_TRUE(bar);
  struct Step {
    const char* what;
    std::vector<int> edges; // handed over with their count
    LRESULT result;
    std::vector<int> parts; // what SB_GETPARTS reads afterwards
  };
  const Step steps[] = {
      {"three parts, the last to the right end", {100, 200, -1}, TRUE, {100, 200, -1}},
      {"one part at 50", {50}, TRUE, {50}},
      {"four parts", {10, 20, 30, 40}, TRUE, {10, 20, 30, 40}},
      {"a count of 0 is refused", {}, FALSE, {10, 20, 30, 40}},
      {"a count of 257 is refused", std::vector<int>(257, 1), FALSE, {10, 20, 30, 40}},
      {"256 parts", std::vector<int>(256, 7), TRUE, std::vector<int>(256, 7)},
  };
  for (const Step& s : steps) {
    const LRESULT result =
        SendMessageA(bar, SB_SETPARTS, s.edges.size(), reinterpret_cast<LPARAM>(s.edges.data()));
    const std::vector<int> parts = parts_of(bar);
    EXPECT_TRUE(result == s.result && parts == s.parts)
        << s.what << ": SB_SETPARTS " << s.edges.size() << " " << list(s.edges)
        << "\n  expected result " << s.result << ", parts " << list(s.parts)
        << "\n  actual   result " << result << ", parts " << list(parts);
  }
  EXPECT_EQ(SendMessageA(bar, SB_SETPARTS, 2, 0), FALSE) << "no edges array";

  const int two[] = {111, 222};
  SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(two));
  int out[3] = {-5, -5, -5};
  EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 1, reinterpret_cast<LPARAM>(out)), 2)
      << "the count of parts, whatever was asked for";
  EXPECT_EQ(list({out[0], out[1], out[2]}), list({111, -5, -5})) << "only the edges asked for";
  DestroyWindow(parent);
}

TEST(StatusWindow, EachPartKeepsItsText) {
  HWND parent = make_parent();
  HWND bar = CreateStatusWindowA(static_cast<LONG>(WS_CHILD | WS_VISIBLE), "first", parent, kBarId);
  ASSERT_TRUE(bar);
  const int edges[] = {100, 200, -1};
  SendMessageA(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  SendMessageA(bar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("second"));
  SendMessageA(bar, SB_SETTEXTA, 2 | 0x0100, reinterpret_cast<LPARAM>("third"));
  struct Case {
    WPARAM part;
    std::string text;
    LRESULT length_and_type;
  };
  const Case cases[] = {
      {0, "first", MAKELPARAM(5, 0)},
      {1, "second", MAKELPARAM(6, 0)},
      {2, "third", MAKELPARAM(5, 0x0100)},
  };
  for (const Case& c : cases) {
    char text[64] = {};
    const LRESULT got = SendMessageA(bar, SB_GETTEXTA, c.part, reinterpret_cast<LPARAM>(text));
    EXPECT_TRUE(got == c.length_and_type && text == c.text)
        << "part " << c.part << ": expected \"" << c.text << "\" (" << c.length_and_type
        << "), actual \"" << text << "\" (" << got << ")";
  }
  EXPECT_TRUE(SetWindowTextA(bar, "renamed"));
  EXPECT_EQ(text_of(bar, 0), "renamed") << "WM_SETTEXT sets the first part";
  char window_text[32] = {};
  GetWindowTextA(bar, window_text, sizeof window_text);
  EXPECT_STREQ(window_text, "renamed") << "and the window's text";
  DestroyWindow(parent);
}

// The bar's surface: face colour, a shadow line on top, a groove where a part ends and its
// text in the part, never past its right end.
TEST(StatusWindow, PaintsPartsAndClipsEachTextToItsPart) {
  ASSERT_GT(platform::native::ui_font_height(), 0) << "no user-interface font";
  HWND parent = make_parent();
  HWND bar = CreateStatusWindowA(static_cast<LONG>(WS_CHILD | WS_VISIBLE), "", parent, kBarId);
  ASSERT_TRUE(bar);
  const int edges[] = {80, 160, -1};
  SendMessageA(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("WWWWWWWWWWWWWWWWWWWWWWWW"));
  SendMessageA(bar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("Ok"));
  UpdateWindow(bar);

  platform::PixelView view;
  ASSERT_TRUE(platform::child_surface_view(bar, &view));
  auto pixel = [&](int x, int y) {
    return *reinterpret_cast<const std::uint32_t*>(view.row(y) + 4 * static_cast<std::size_t>(x));
  };
  auto rgb = [](COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); };
  const std::uint32_t face = rgb(platform::system_color(COLOR_BTNFACE));
  const std::uint32_t shadow = rgb(platform::system_color(COLOR_BTNSHADOW));
  const std::uint32_t highlight = rgb(platform::system_color(COLOR_BTNHIGHLIGHT));
  // Pixels of a column range below the top line that are neither face nor groove: text.
  auto ink = [&](int from, int to) {
    int count = 0;
    for (int y = 1; y < view.height; ++y)
      for (int x = from; x < to; ++x) count += pixel(x, y) != face;
    return count;
  };
  struct Columns {
    const char* what;
    int from, to;
    bool inked;
  };
  const Columns columns[] = {
      {"the first part's text", 0, 77, true},
      {"the second part: no text, and none of the first's", 80, 158, false},
      {"the third part's text", 160, 200, true},
      {"the third part after its short text", 240, kParentWidth, false},
  };
  for (const Columns& c : columns)
    EXPECT_EQ(ink(c.from, c.to) > 0, c.inked)
        << c.what << " (x " << c.from << ".." << c.to << "): " << ink(c.from, c.to)
        << " pixels not in the face colour";
  const int middle = view.height / 2;
  EXPECT_EQ(pixel(78, middle), shadow) << "the groove's dark side before the edge at 80";
  EXPECT_EQ(pixel(79, middle), highlight) << "the groove's light side";
  EXPECT_EQ(pixel(158, middle), shadow) << "the groove before the edge at 160";
  EXPECT_EQ(pixel(300, 0), shadow) << "the line along the top";
  EXPECT_EQ(pixel(kParentWidth - 1, middle), face) << "no groove at the right end";
  DestroyWindow(parent);
}

TEST(StatusWindow, RepaintsWhenItsTextOrPartsChange) {
  HWND parent = make_parent();
  HWND bar = CreateStatusWindowA(static_cast<LONG>(WS_CHILD | WS_VISIBLE), "", parent, kBarId);
  ASSERT_TRUE(bar);
  const int edges[] = {100, -1};
  struct Step {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool repaint;
  };
  int read_back[2];
  const Step steps[] = {
      {"SB_SETTEXTA", SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("new"), true},
      {"SB_SETPARTS", SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges), true},
      {"WM_SETTEXT", WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed"), true},
      {"SB_GETPARTS", SB_GETPARTS, 2, reinterpret_cast<LPARAM>(read_back), false},
      {"SB_SETPARTS refused", SB_SETPARTS, 0, reinterpret_cast<LPARAM>(edges), false},
  };
  for (const Step& s : steps) {
    pump();
    ASSERT_FALSE(paint_pending(bar)) << "before " << s.what << ": the bar was painted";
    SendMessageA(bar, s.message, s.wParam, s.lParam);
    EXPECT_EQ(paint_pending(bar), s.repaint) << s.what;
  }
  DestroyWindow(parent);
}

TEST(CreateStatusBar, BarWithTheTextAndTheApplicationsParts) {
  struct Case {
    const char* what;
    std::int32_t count;
    std::vector<int> items;
    std::vector<int> parts;
  };
  const Case cases[] = {
      {"MAXSTATUSITEM 0: the count 0 is refused, one part remains", 0, {}, {-1}},
      {"MAXSTATUSITEM 3: 100, 200, 300", 3, {100, 200, 300}, {100, 200, 300}},
  };
  for (const Case& c : cases) {
    HWND parent = make_parent();
    std::snprintf(FILENAME.data(), TFILENAME::COUNT, "what the application had");
    MAXSTATUSITEM = c.count;
    for (std::size_t i = 0; i < c.items.size(); ++i)
      STATUSITEM[static_cast<int>(i) + 1] = c.items[i];
    HWND bar = CREATESTATUSBAR(parent);
    ASSERT_TRUE(bar) << c.what;
    EXPECT_EQ(bar, AWND) << c.what;
    EXPECT_STREQ(FILENAME.data(), "Percorso file") << c.what;
    EXPECT_EQ(text_of(bar, 0), "Percorso file") << c.what;
    EXPECT_EQ(GetDlgCtrlID(bar), 30482) << c.what;
    EXPECT_EQ(GetParent(bar), parent) << c.what;
    EXPECT_EQ(parts_of(bar), c.parts) << c.what << ": parts " << list(parts_of(bar));
    DestroyWindow(parent);
  }
}

} // namespace
} // namespace orvex::test
