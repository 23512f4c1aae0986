// Image hover buttons driven by real mouse events pushed onto SDL's queue: the whole state
// table with the picture each state shows and the clicks it posts, where a new button stands,
// and that a destroyed button leaves no GDI object behind.
#include "compositor.h"
#include "framework/core/handle_value.h"
#include "framework/window/bitmap_region.h"
#include "framework/window/hover_button.h"
#include "gdi_object.h"
#include "gl/support/loaded_libraries.h"
#include "gl/support/sdl_input.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace orvex::test {
namespace {

constexpr int kButtonId = 4711;
constexpr POINT kButtonAt{50, 40}; // client position in the parent
constexpr int kImageSize = 20;
constexpr std::uint32_t kNormal = 0xC82828, kHover = 0x28C828, kPressed = 0x2828C8; // 0xRRGGBB

std::vector<std::pair<WPARAM, LPARAM>> commands; // WM_COMMAND received by the parent

LRESULT CALLBACK PARENTPROC(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) {
    commands.emplace_back(wParam, lParam);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

// A 24-bit picture: a disc of radius 8 in the colour, on the magenta key.
void write_disc(const std::filesystem::path& path, std::uint32_t rgb) {
  const int stride = (kImageSize * 3 + 3) & ~3;
  std::vector<std::uint8_t> file(54 + static_cast<std::size_t>(stride * kImageSize), 0);
  auto put = [&](std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
      file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put(2, static_cast<std::uint32_t>(file.size()), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, kImageSize, 4);
  put(22, kImageSize, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (int y = 0; y < kImageSize; ++y)
    for (int x = 0; x < kImageSize; ++x) {
      const bool inside = std::hypot(x + 0.5 - 10.0, y + 0.5 - 10.0) < 8.0;
      const std::uint32_t c = inside ? rgb : 0xFF00FF;
      // Bottom-up rows, blue first.
      put(54 + static_cast<std::size_t>((kImageSize - 1 - y) * stride + 3 * x), c, 3);
    }
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

void register_classes() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA parent_class{};
  parent_class.lpfnWndProc = PARENTPROC;
  parent_class.hInstance = GetModuleHandleA(nullptr);
  parent_class.lpszClassName = "HoverParent";
  WNDCLASSA button_class{};
  button_class.lpfnWndProc = HOVERBUTTONHANDLER;
  button_class.hInstance = GetModuleHandleA(nullptr);
  button_class.hbrBackground = GetStockObject(NULL_BRUSH);
  button_class.lpszClassName = SZHOVERCLASS;
  registered = RegisterClassA(&parent_class) && RegisterClassA(&button_class);
  ASSERT_TRUE(registered) << "RegisterClassA failed, error " << GetLastError();
}

class HoverButtonTest : public ::testing::Test {
protected:
  std::filesystem::path dir;
  HWND parent = 0;

  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("orvex_hover_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    write_disc(dir / "DISCN.BMP", kNormal);
    write_disc(dir / "DISCH.BMP", kHover);
    write_disc(dir / "DISCP.BMP", kPressed);
    register_classes();
    parent = make_parent(WS_POPUP | WS_VISIBLE);
    ASSERT_TRUE(parent);
    KEEPLOADEDLIBRARIES();
    commands.clear();
  }
  void TearDown() override {
    if (IsWindow(parent)) DestroyWindow(parent);
    std::filesystem::remove_all(dir);
  }

  HWND make_parent(DWORD style) {
    return CreateWindowExA(0, "HoverParent", "parent", style, 0, 0, 320, 240, 0, 0,
                           GetModuleHandleA(nullptr), nullptr);
  }

  HWND make_button(HWND in, const std::string& images, int width = 0, int height = 0) {
    BMPTYPE = (dir / images).string();
    return CreateWindowExA(0, SZHOVERCLASS, "", WS_CHILD | WS_VISIBLE, kButtonAt.x, kButtonAt.y,
                           width, height, in, HANDLEAS<HMENU>(kButtonId), GetModuleHandleA(nullptr),
                           nullptr);
  }
};

void pump() {
  MSG m;
  for (int i = 0; i < 1000 && PeekMessageA(&m, 0, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

std::uintptr_t state_of(HWND button) {
  return FROMHANDLE<std::uintptr_t>(GetPropA(button, HOVERMODE));
}

// The colour the button's surface shows in the middle of its disc.
std::uint32_t shown(HWND button) {
  platform::PixelView view;
  if (!platform::child_surface_view(button, &view) || view.width <= 10 || view.height <= 10)
    return 0xDEADBEEF;
  std::uint32_t v;
  std::memcpy(&v, view.row(10) + 40, sizeof v);
  return v & 0xFFFFFF;
}

const char* picture_name(std::uint32_t c) {
  return c == kNormal ? "normal" : c == kHover ? "hover" : c == kPressed ? "pressed" : "other";
}

TEST_F(HoverButtonTest, EveryRowOfTheStateTable) {
  HWND button = make_button(parent, "DISC");
  ASSERT_TRUE(button);
  pump();

  enum class Act { Move, LeftDown, LeftUp, RightDown, RightUp };
  struct Step {
    const char* what;
    Act act;
    POINT at; // client point of the parent
    std::uintptr_t state;
    bool captured;
    std::uint32_t picture;
    std::size_t clicks;
  };
  const POINT outside{30, 30};     // off the button's rectangle
  const POINT centre{60, 50};      // on the disc
  const POINT near_centre{61, 51}; // on the disc
  const POINT corner{51, 41};      // in the rectangle, off the disc
  const Step steps[] = {
      {"move over the parent", Act::Move, outside, HOVERNORMAL, false, kNormal, 0},
      {"enter the shape, no button held", Act::Move, centre, HOVERHOT, true, kHover, 0},
      {"move on the shape", Act::Move, near_centre, HOVERHOT, true, kHover, 0},
      {"press the left button", Act::LeftDown, near_centre, HOVERPRESSED, true, kPressed, 0},
      {"drag off the shape, inside the rectangle", Act::Move, corner, HOVERNORMAL, false, kNormal,
       0},
      {"drag back onto the shape, button held", Act::Move, centre, HOVERPRESSED, true, kPressed, 0},
      {"release on the shape: a click", Act::LeftUp, centre, HOVERNORMAL, false, kNormal, 1},
      {"the next move on the shape", Act::Move, near_centre, HOVERHOT, true, kHover, 1},
      {"press again", Act::LeftDown, near_centre, HOVERPRESSED, true, kPressed, 1},
      {"drag out of the button", Act::Move, outside, HOVERNORMAL, false, kNormal, 1},
      {"release off the button: no click", Act::LeftUp, outside, HOVERNORMAL, false, kNormal, 1},
      {"press the right button off the button", Act::RightDown, outside, HOVERNORMAL, false,
       kNormal, 1},
      {"enter with the right button held", Act::Move, centre, HOVERPRESSED, true, kPressed, 1},
      {"release the right button: no click", Act::RightUp, centre, HOVERPRESSED, true, kPressed, 1},
      {"leave", Act::Move, outside, HOVERNORMAL, false, kNormal, 1},
      {"enter", Act::Move, centre, HOVERHOT, true, kHover, 1},
      {"a left release without a press: no click", Act::LeftUp, centre, HOVERNORMAL, false, kNormal,
       1},
  };
  for (const Step& s : steps) {
    switch (s.act) {
    case Act::Move: PUSHMOTION(parent, s.at.x, s.at.y); break;
    case Act::LeftDown: PUSHBUTTON(parent, SDL_BUTTON_LEFT, true, s.at.x, s.at.y); break;
    case Act::LeftUp: PUSHBUTTON(parent, SDL_BUTTON_LEFT, false, s.at.x, s.at.y); break;
    case Act::RightDown: PUSHBUTTON(parent, SDL_BUTTON_RIGHT, true, s.at.x, s.at.y); break;
    case Act::RightUp: PUSHBUTTON(parent, SDL_BUTTON_RIGHT, false, s.at.x, s.at.y); break;
    }
    pump();
    const std::uintptr_t state = state_of(button);
    const bool captured = GetCapture() == button;
    const std::uint32_t picture = shown(button);
    bool clicks_ok = commands.size() == s.clicks;
    for (const auto& [wParam, lParam] : commands)
      clicks_ok = clicks_ok && wParam == static_cast<WPARAM>(kButtonId) && lParam == 0;
    EXPECT_TRUE(state == s.state && captured == s.captured && picture == s.picture && clicks_ok)
        << s.what << " at (" << s.at.x << ", " << s.at.y << ")"
        << "\n  expected state " << s.state << (s.captured ? ", captured, " : ", not captured, ")
        << picture_name(s.picture) << " picture, " << s.clicks << " WM_COMMAND " << kButtonId
        << "\n  actual   state " << state << (captured ? ", captured, " : ", not captured, ")
        << picture_name(picture) << " picture, " << commands.size() << " WM_COMMAND"
        << (commands.empty() ? "" : " " + std::to_string(commands.back().first));
  }
}

TEST_F(HoverButtonTest, TakesTheNormalImagesSizeAndKeepsItsPlace) {
  struct Case {
    const char* what;
    DWORD parent_style;
    std::string images;
    int width, height; // as created
    POINT size;        // width and height afterwards
    bool shaped;
  };
  const Case cases[] = {
      {"created without a size", WS_POPUP | WS_VISIBLE, "DISC", 0, 0, {20, 20}, true},
      {"created larger", WS_POPUP | WS_VISIBLE, "DISC", 200, 100, {20, 20}, true},
      {"in a window with a caption",
       WS_POPUP | WS_CAPTION | WS_VISIBLE,
       "DISC",
       5,
       5,
       {20, 20},
       true},
      {"without image files", WS_POPUP | WS_VISIBLE, "NONE", 30, 30, {0, 0}, false},
  };
  for (const Case& c : cases) {
    HWND in = make_parent(c.parent_style);
    HWND button = make_button(in, c.images, c.width, c.height);
    ASSERT_TRUE(button) << c.what;
    RECT r{};
    GetWindowRect(button, &r);
    POINT at{r.left, r.top};
    ScreenToClient(in, &at);
    const RECT expected{kButtonAt.x, kButtonAt.y, kButtonAt.x + c.size.x, kButtonAt.y + c.size.y};
    const RECT actual{at.x, at.y, at.x + (r.right - r.left), at.y + (r.bottom - r.top)};
    auto text = [](const RECT& q) {
      return "(" + std::to_string(q.left) + ", " + std::to_string(q.top) + ", " +
             std::to_string(q.right) + ", " + std::to_string(q.bottom) + ")";
    };
    EXPECT_TRUE(std::memcmp(&expected, &actual, sizeof expected) == 0)
        << c.what << ": expected the client rectangle " << text(expected) << ", actual "
        << text(actual);
    EXPECT_EQ(state_of(button), HOVERNORMAL) << c.what;
    EXPECT_EQ(GetPropA(button, BUTTONRGN) != nullptr, c.shaped) << c.what << ": hit-test region";
    if (c.shaped) {
      HRGN expected_shape =
          BITMAPTOREGION((dir / "DISCN.BMP").string(), HOVERKEYCOLOR, HOVERKEYTOLERANCE);
      EXPECT_TRUE(EqualRgn(FROMHANDLE<HRGN>(GetPropA(button, BUTTONRGN)), expected_shape))
          << c.what << ": the hit-test region is the normal image's shape";
      DeleteObject(expected_shape);
    }
    DestroyWindow(in);
  }
}

TEST_F(HoverButtonTest, NothingOfADestroyedButtonIsLeft) {
  struct Case {
    const char* what;
    std::string images;
    bool destroy_parent;
  };
  const Case cases[] = {
      {"the button destroyed", "DISC", false},
      {"its parent destroyed", "DISC", true},
      {"a button without image files destroyed", "NONE", false},
  };
  for (const Case& c : cases) {
    HWND in = make_parent(WS_POPUP | WS_VISIBLE);
    pump();
    const std::size_t before = platform::live_gdi_objects();
    HWND button = make_button(in, c.images);
    ASSERT_TRUE(button) << c.what;
    pump();
    EXPECT_GT(platform::live_gdi_objects(), before) << c.what << ": the button holds objects";
    DestroyWindow(c.destroy_parent ? in : button);
    EXPECT_EQ(platform::live_gdi_objects(), before) << c.what << ": GDI objects left behind";
    if (IsWindow(in)) DestroyWindow(in);
  }
}

} // namespace
} // namespace orvex::test
