// Compositing of child windows at the buffer swap: what a child painted shows in the back
// buffer, clipped to its rectangle, its ancestors and its region; nothing is drawn, and no GL
// call made, for children that show nothing; a surface goes to GL only when it changed; and
// the GL state the application left is the same afterwards.
#include "compositor.h"
#include "framework/render/gl.h"
#include "gl/support/gl_recorder.h"
#include "gl/support/loaded_libraries.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace orvex::test {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;
constexpr std::uint32_t kBackground = 0x000060; // 0xRRGGBB, the clear colour

// The colour a painted child shows at its client point (x, y); its control id tells children
// apart.
std::uint32_t pattern(int id, int x, int y) {
  const auto r = static_cast<std::uint32_t>((x * 7 + id * 40) & 0xFF);
  const auto g = static_cast<std::uint32_t>((y * 11 + id * 70) & 0xFF);
  const auto b = static_cast<std::uint32_t>((x + y) * 3 & 0xFF) | 0x80;
  return (r << 16) | (g << 8) | b;
}

// Paints its pattern through a memory DC and BitBlt, as an application would.
LRESULT CALLBACK PAINTEDPROC(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return DefWindowProcA(wnd, msg, wParam, lParam);
  RECT client{};
  GetClientRect(wnd, &client);
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(0);
  HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, 0, 0);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x)
      pixels[y * client.right + x] = pattern(GetDlgCtrlID(wnd), x, y);
  HGDIOBJ old = SelectObject(memory, picture);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd, &ps);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  EndPaint(wnd, &ps);
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  return 0;
}

void register_classes() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA top{};
  top.lpfnWndProc = DefWindowProcA;
  top.hInstance = GetModuleHandleA(nullptr);
  top.lpszClassName = "CompositedTop";
  WNDCLASSA painted = top;
  painted.lpfnWndProc = PAINTEDPROC;
  painted.lpszClassName = "PaintedChild";
  WNDCLASSA blank = top; // DefWindowProcA validates without drawing
  blank.lpszClassName = "BlankChild";
  registered = RegisterClassA(&top) && RegisterClassA(&painted) && RegisterClassA(&blank);
  ASSERT_TRUE(registered) << "RegisterClassA failed, error " << GetLastError();
}

void pump() {
  MSG m;
  for (int i = 0; i < 1000 && PeekMessageA(&m, 0, 0, 0, PM_REMOVE); ++i) DispatchMessageA(&m);
}

// A top-level window of the layer with its own current GL context.
class CompositorTest : public ::testing::Test {
public:
  HWND top = 0;
  HDC dc = 0;
  HGLRC rc = 0;

  void SetUp() override {
    register_classes();
    top = CreateWindowExA(0, "CompositedTop", "composited", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                          kHeight, 0, 0, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(top);
    dc = GetDC(top);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.cColorBits = 32;
    ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd));
    rc = wglCreateContext(dc);
    ASSERT_TRUE(rc) << "no OpenGL context, error " << GetLastError();
    ASSERT_TRUE(wglMakeCurrent(dc, rc));
    KEEPLOADEDLIBRARIES();
    pump();
  }
  void TearDown() override {
    wglMakeCurrent(dc, 0);
    if (rc) wglDeleteContext(rc);
    if (dc) ReleaseDC(top, dc);
    if (top) DestroyWindow(top);
  }

  HWND child(const char* cls, HWND parent, int id, int x, int y, int w, int h,
             bool visible = true) {
    return CreateWindowExA(0, cls, "", WS_CHILD | (visible ? WS_VISIBLE : 0), x, y, w, h, parent,
                           static_cast<HMENU>(id), GetModuleHandleA(nullptr), nullptr);
  }

  // The next case starts without children.
  void destroy_children() {
    while (platform::Window* w = platform::lookup_window(top)) {
      if (w->children.empty()) break;
      DestroyWindow(w->children.front());
    }
  }

  // Clears the back buffer, swaps (which composites) and reads the back buffer, top row first.
  std::vector<std::uint32_t> swap_and_read() {
    glClearColor(0.0f, 0.0f, 96.0f / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(SwapBuffers(dc));
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kWidth * kHeight * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<std::uint32_t> out(static_cast<std::size_t>(kWidth * kHeight));
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const std::uint8_t* p =
            &rgba[static_cast<std::size_t>(((kHeight - 1 - y) * kWidth + x) * 4)];
        out[static_cast<std::size_t>(y * kWidth + x)] =
            (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
      }
    return out;
  }
};

// A point of the top-level window and what it should show: the background, or the pattern of
// child `id` at the child's client point (cx, cy).
struct Probe {
  int x, y;
  int id; // 0: the background
  int cx = 0, cy = 0;
};

std::string hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "#%06X", v);
  return text;
}

::testing::AssertionResult shows(const std::string& what, const std::vector<std::uint32_t>& frame,
                                 const std::vector<Probe>& probes) {
  std::string wrong;
  for (const Probe& p : probes) {
    const std::uint32_t expected = p.id ? pattern(p.id, p.cx, p.cy) : kBackground;
    const std::uint32_t actual = frame[static_cast<std::size_t>(p.y * kWidth + p.x)];
    if (expected != actual)
      wrong += "\n  at (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ") expected " +
               (p.id ? "child " + std::to_string(p.id) : std::string("background")) + " " +
               hex(expected) + ", actual " + hex(actual);
  }
  if (wrong.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << what << ":" << wrong;
}

TEST_F(CompositorTest, ChildrenShowWhatTheyPaintedClippedToTheirShape) {
  struct Case {
    const char* what;
    std::function<void(CompositorTest&)> build;
    std::vector<Probe> probes;
  };
  const std::vector<Case> cases = {
      {"a child without a region",
       [](CompositorTest& t) { t.child("PaintedChild", t.top, 1, 20, 30, 60, 40); },
       {{20, 30, 1, 0, 0},
        {79, 69, 1, 59, 39},
        {50, 50, 1, 30, 20},
        {19, 30, 0},
        {80, 30, 0},
        {20, 70, 0},
        {5, 5, 0}}},
      {"a child shaped as an L",
       [](CompositorTest& t) {
         HWND c = t.child("PaintedChild", t.top, 2, 20, 30, 60, 40);
         HRGN l = CreateRectRgn(0, 0, 30, 10), foot = CreateRectRgn(0, 10, 10, 40);
         CombineRgn(l, l, foot, RGN_OR);
         DeleteObject(foot);
         SetWindowRgn(c, l, FALSE);
       },
       {{25, 35, 2, 5, 5},
        {45, 35, 2, 25, 5},
        {25, 65, 2, 5, 35},
        {50, 35, 0},
        {45, 55, 0},
        {35, 65, 0}}},
      {"a child reaching past the window's corner",
       [](CompositorTest& t) { t.child("PaintedChild", t.top, 3, 170, 120, 60, 60); },
       {{170, 120, 3, 0, 0}, {199, 149, 3, 29, 29}, {169, 149, 0}}},
      {"a region larger than its child",
       [](CompositorTest& t) {
         HWND c = t.child("PaintedChild", t.top, 4, 10, 10, 30, 30);
         SetWindowRgn(c, CreateRectRgn(-50, -50, 100, 100), FALSE);
       },
       {{39, 39, 4, 29, 29}, {10, 10, 4, 0, 0}, {41, 20, 0}, {20, 41, 0}, {9, 9, 0}}},
      {"a grandchild, clipped to its parent",
       [](CompositorTest& t) {
         HWND parent = t.child("PaintedChild", t.top, 5, 10, 10, 50, 50);
         t.child("PaintedChild", parent, 6, 30, 30, 40, 40);
       },
       {{15, 15, 5, 5, 5}, {45, 45, 6, 5, 5}, {59, 59, 6, 19, 19}, {65, 65, 0}, {61, 45, 0}}},
      {"overlapping siblings, the later one on top",
       [](CompositorTest& t) {
         t.child("PaintedChild", t.top, 7, 20, 20, 50, 50);
         t.child("PaintedChild", t.top, 8, 40, 40, 50, 50);
       },
       {{25, 25, 7, 5, 5}, {45, 45, 8, 5, 5}, {69, 69, 8, 29, 29}, {85, 85, 8, 45, 45}}},
      {"a hidden child",
       [](CompositorTest& t) { t.child("PaintedChild", t.top, 9, 20, 20, 50, 50, false); },
       {{25, 25, 0}, {60, 60, 0}}},
      {"a child that never painted",
       [](CompositorTest& t) { t.child("BlankChild", t.top, 10, 20, 20, 50, 50); },
       {{25, 25, 0}, {60, 60, 0}}},
  };
  for (const Case& c : cases) {
    c.build(*this);
    pump();
    EXPECT_TRUE(shows(c.what, swap_and_read(), c.probes));
    destroy_children();
  }
}

TEST_F(CompositorTest, NoGlCallWhenNoChildShowsAnything) {
  struct Case {
    const char* what;
    std::function<void(CompositorTest&)> build;
    bool draws;
  };
  const std::vector<Case> cases = {
      {"no child windows", [](CompositorTest&) {}, false},
      {"a hidden child",
       [](CompositorTest& t) { t.child("PaintedChild", t.top, 1, 0, 0, 20, 20, false); }, false},
      {"a child that never painted",
       [](CompositorTest& t) { t.child("BlankChild", t.top, 2, 0, 0, 20, 20); }, false},
      {"a painted child",
       [](CompositorTest& t) { t.child("PaintedChild", t.top, 3, 0, 0, 20, 20); }, true},
  };
  for (const Case& c : cases) {
    c.build(*this);
    pump();
    std::size_t calls = 0, quads = 0;
    {
      GlRecording recording;
      SwapBuffers(dc);
      calls = recording.calls().size();
      quads = recording.calls("glBegin").size();
    }
    EXPECT_EQ(calls > 0, c.draws) << c.what << ": " << calls << " GL calls recorded";
    EXPECT_EQ(quads, c.draws ? 1u : 0u) << c.what << ": glBegin calls";
    destroy_children();
  }
}

TEST_F(CompositorTest, ASurfaceGoesToGlOnlyWhenItChanged) {
  HWND c = child("PaintedChild", top, 1, 10, 10, 20, 20);
  pump();
  const std::uint32_t painted = pattern(1, 5, 5);
  EXPECT_EQ(hex(swap_and_read()[15 * kWidth + 15]), hex(painted)) << "after the first paint";

  platform::PixelView view;
  ASSERT_TRUE(platform::child_surface_view(c, &view));
  const std::uint32_t changed = 0x00FF8800;
  for (int y = 0; y < view.height; ++y)
    for (int x = 0; x < view.width; ++x) std::memcpy(view.row(y) + 4 * x, &changed, 4);
  EXPECT_EQ(hex(swap_and_read()[15 * kWidth + 15]), hex(painted))
      << "pixels changed behind the layer's back are not uploaded";
  platform::child_surface_changed(c);
  EXPECT_EQ(hex(swap_and_read()[15 * kWidth + 15]), hex(changed)) << "after they were reported";

  InvalidateRect(c, nullptr, FALSE);
  pump();
  EXPECT_EQ(hex(swap_and_read()[15 * kWidth + 15]), hex(painted)) << "after painting again";
}

// One piece of GL state as numbers.
struct StateEntry {
  std::string name;
  std::vector<double> value;
};

std::vector<StateEntry> gl_state() {
  std::vector<StateEntry> out;
  auto integers = [&](const char* name, GLenum pname, int count) {
    std::vector<GLint> v(16, 0);
    glGetIntegerv(pname, v.data());
    out.push_back({name, std::vector<double>(v.begin(), v.begin() + count)});
  };
  auto floats = [&](const char* name, GLenum pname, int count) {
    std::vector<GLfloat> v(16, 0);
    glGetFloatv(pname, v.data());
    out.push_back({name, std::vector<double>(v.begin(), v.begin() + count)});
  };
  auto enabled = [&](const char* name, GLenum cap) {
    out.push_back({name, {static_cast<double>(glIsEnabled(cap))}});
  };
  integers("GL_ACTIVE_TEXTURE", GL_ACTIVE_TEXTURE, 1);
  integers("GL_MATRIX_MODE", GL_MATRIX_MODE, 1);
  floats("GL_MODELVIEW_MATRIX", GL_MODELVIEW_MATRIX, 16);
  floats("GL_PROJECTION_MATRIX", GL_PROJECTION_MATRIX, 16);
  integers("GL_MODELVIEW_STACK_DEPTH", GL_MODELVIEW_STACK_DEPTH, 1);
  integers("GL_PROJECTION_STACK_DEPTH", GL_PROJECTION_STACK_DEPTH, 1);
  integers("GL_ATTRIB_STACK_DEPTH", GL_ATTRIB_STACK_DEPTH, 1);
  integers("GL_CLIENT_ATTRIB_STACK_DEPTH", GL_CLIENT_ATTRIB_STACK_DEPTH, 1);
  integers("GL_VIEWPORT", GL_VIEWPORT, 4);
  integers("GL_SCISSOR_BOX", GL_SCISSOR_BOX, 4);
  floats("GL_CURRENT_COLOR", GL_CURRENT_COLOR, 4);
  floats("GL_CURRENT_TEXTURE_COORDS", GL_CURRENT_TEXTURE_COORDS, 4);
  floats("GL_CLEAR_COLOR", GL_COLOR_CLEAR_VALUE, 4);
  integers("GL_BLEND_SRC", GL_BLEND_SRC, 1);
  integers("GL_BLEND_DST", GL_BLEND_DST, 1);
  integers("GL_DEPTH_FUNC", GL_DEPTH_FUNC, 1);
  integers("GL_DEPTH_WRITEMASK", GL_DEPTH_WRITEMASK, 1);
  integers("GL_COLOR_WRITEMASK", GL_COLOR_WRITEMASK, 4);
  integers("GL_POLYGON_MODE", GL_POLYGON_MODE, 2);
  integers("GL_CULL_FACE_MODE", GL_CULL_FACE_MODE, 1);
  integers("GL_FRONT_FACE", GL_FRONT_FACE, 1);
  integers("GL_SHADE_MODEL", GL_SHADE_MODEL, 1);
  integers("GL_DRAW_BUFFER", GL_DRAW_BUFFER, 1);
  integers("GL_UNPACK_ALIGNMENT", GL_UNPACK_ALIGNMENT, 1);
  integers("GL_UNPACK_ROW_LENGTH", GL_UNPACK_ROW_LENGTH, 1);
  integers("GL_LIGHT_MODEL_TWO_SIDE", GL_LIGHT_MODEL_TWO_SIDE, 1);
  const struct {
    const char* name;
    GLenum cap;
  } caps[] = {{"GL_LIGHTING", GL_LIGHTING},
              {"GL_LIGHT0", GL_LIGHT0},
              {"GL_DEPTH_TEST", GL_DEPTH_TEST},
              {"GL_CULL_FACE", GL_CULL_FACE},
              {"GL_BLEND", GL_BLEND},
              {"GL_FOG", GL_FOG},
              {"GL_SCISSOR_TEST", GL_SCISSOR_TEST},
              {"GL_ALPHA_TEST", GL_ALPHA_TEST},
              {"GL_NORMALIZE", GL_NORMALIZE},
              {"GL_AUTO_NORMAL", GL_AUTO_NORMAL},
              {"GL_COLOR_MATERIAL", GL_COLOR_MATERIAL}};
  for (const auto& c : caps) enabled(c.name, c.cap);

  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  for (int unit = 0; unit < 2; ++unit) {
    glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
    const std::string u = "unit " + std::to_string(unit) + " ";
    integers((u + "GL_TEXTURE_BINDING_2D").c_str(), GL_TEXTURE_BINDING_2D, 1);
    integers((u + "GL_TEXTURE_BINDING_CUBE_MAP").c_str(), GL_TEXTURE_BINDING_CUBE_MAP, 1);
    floats((u + "GL_TEXTURE_MATRIX").c_str(), GL_TEXTURE_MATRIX, 16);
    integers((u + "GL_TEXTURE_STACK_DEPTH").c_str(), GL_TEXTURE_STACK_DEPTH, 1);
    enabled((u + "GL_TEXTURE_2D").c_str(), GL_TEXTURE_2D);
    enabled((u + "GL_TEXTURE_CUBE_MAP").c_str(), GL_TEXTURE_CUBE_MAP);
    enabled((u + "GL_TEXTURE_GEN_S").c_str(), GL_TEXTURE_GEN_S);
    enabled((u + "GL_TEXTURE_GEN_T").c_str(), GL_TEXTURE_GEN_T);
    enabled((u + "GL_TEXTURE_GEN_R").c_str(), GL_TEXTURE_GEN_R);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    out.push_back({u + "GL_TEXTURE_ENV_MODE", {static_cast<double>(mode)}});
  }
  glActiveTexture(static_cast<GLenum>(active));
  return out;
}

// A state such as the demo leaves at the end of its frame, and then some.
void set_application_state() {
  GLuint textures[2];
  glGenTextures(2, textures);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, textures[0]);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_CUBE_MAP, textures[1]);
  glEnable(GL_TEXTURE_CUBE_MAP);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glEnable(GL_TEXTURE_GEN_R);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
  glMatrixMode(GL_TEXTURE);
  glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 4.0 / 3.0, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.0f, -1.0f, -30.0f);
  glPushMatrix();
  glRotatef(36.0f, 1.0f, 0.0f, 0.0f);
  glMatrixMode(GL_TEXTURE); // left in the texture mode on unit 1
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_FALSE);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_FOG);
  glEnable(GL_NORMALIZE);
  glEnable(GL_AUTO_NORMAL);
  glEnable(GL_SCISSOR_TEST);
  glScissor(5, 6, 70, 80);
  glViewport(0, 0, kWidth / 2, kHeight / 2);
  glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
  glTexCoord2f(0.25f, 0.75f);
  glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_FALSE);
  glPolygonMode(GL_BACK, GL_LINE);
  glShadeModel(GL_FLAT);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
  glClearColor(0.1f, 0.2f, 0.3f, 0.4f);
}

TEST_F(CompositorTest, LeavesTheApplicationsGlStateAsItWas) {
  HWND c = child("PaintedChild", top, 1, 10, 10, 40, 30);
  HRGN shape = CreateRectRgn(0, 0, 20, 30);
  SetWindowRgn(c, shape, FALSE);
  pump();
  set_application_state();
  const std::vector<StateEntry> before = gl_state();
  ASSERT_TRUE(SwapBuffers(dc));
  ASSERT_TRUE(SwapBuffers(dc)) << "a second swap, with the texture already made";
  const std::vector<StateEntry> after = gl_state();
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    auto text = [](const std::vector<double>& v) {
      std::string s;
      for (double d : v) s += (s.empty() ? "" : " ") + std::to_string(d);
      return s;
    };
    EXPECT_EQ(before[i].value, after[i].value)
        << before[i].name << "\n  before: " << text(before[i].value)
        << "\n  after:  " << text(after[i].value);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // The child was drawn all the same, whatever the application's state said.
  std::uint8_t rgba[4] = {};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(15, kHeight - 1 - 15, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  const std::uint32_t shown =
      (std::uint32_t{rgba[0]} << 16) | (std::uint32_t{rgba[1]} << 8) | rgba[2];
  EXPECT_EQ(hex(shown), hex(pattern(1, 5, 5)));
}

} // namespace
} // namespace orvex::test
