// Child-window surfaces and their compositing over the GL back buffer at the buffer swap.
#include "compositor.h"

#include "gdi_region.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace orvex::platform {

struct ChildSurface {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels; // 0x00RRGGBB, top row first, width pixels per row
  bool painted = false;              // something was drawn: until then the child shows nothing
  bool dirty = false;                // the pixels changed since they were last uploaded
  GLuint texture = 0;
  HGLRC texture_context = 0; // the rendering context the texture belongs to
  int texture_width = 0;
  int texture_height = 0;
};

namespace {

bool is_child(const Window& w) {
  return (w.style & WS_CHILD) != 0;
}

ChildSurface* surface_of(HWND wnd) {
  Window* w = lookup_window(wnd);
  return w ? w->surface : nullptr;
}

// A rectangle in the top-level window's client coordinates.
struct Box {
  int left, top, right, bottom;
  bool empty() const { return left >= right || top >= bottom; }
};

Box intersect(const Box& a, const Box& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// Where a child's client area lies in the top-level window's client area, and the part of it
// that its ancestors leave visible.
bool place_child(HWND child, HWND top, Box* area, Box* visible) {
  Window* w = lookup_window(child);
  if (!w) return false;
  int x = 0, y = 0;
  for (Window* a = w; a && a->handle != top; a = lookup_window(a->parent)) {
    if (!is_child(*a)) return false;
    x += a->rect.left;
    y += a->rect.top;
  }
  *area = {x, y, x + (w->rect.right - w->rect.left), y + (w->rect.bottom - w->rect.top)};
  *visible = *area;
  int ax = x, ay = y;
  for (Window* a = w; a->parent != top;) {
    ax -= a->rect.left;
    ay -= a->rect.top;
    a = lookup_window(a->parent);
    if (!a) return false;
    Box parent{ax, ay, ax + (a->rect.right - a->rect.left), ay + (a->rect.bottom - a->rect.top)};
    *visible = intersect(*visible, parent);
  }
  return !visible->empty();
}

// GL state that glPushAttrib does not cover, or that is cheaper to put back by hand.
struct SavedGlState {
  GLint active_texture = GL_TEXTURE0;
  GLint matrix_mode = GL_MODELVIEW;
  GLint texture_2d = 0;
  bool pushed[3] = {false, false, false}; // projection, modelview, texture
  GLfloat matrices[3][16] = {};
};

constexpr GLenum kMatrixModes[3] = {GL_PROJECTION, GL_MODELVIEW, GL_TEXTURE};
constexpr GLenum kMatrixValues[3] = {GL_PROJECTION_MATRIX, GL_MODELVIEW_MATRIX, GL_TEXTURE_MATRIX};
constexpr GLenum kStackDepths[3] = {GL_PROJECTION_STACK_DEPTH, GL_MODELVIEW_STACK_DEPTH,
                                    GL_TEXTURE_STACK_DEPTH};
constexpr GLenum kStackLimits[3] = {GL_MAX_PROJECTION_STACK_DEPTH, GL_MAX_MODELVIEW_STACK_DEPTH,
                                    GL_MAX_TEXTURE_STACK_DEPTH};

// Saves what the drawing below changes. Returns false, having changed nothing, when the
// attribute stacks are full.
bool save_gl_state(SavedGlState& s) {
  GLint depth = 0, limit = 0;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  glGetIntegerv(GL_MAX_ATTRIB_STACK_DEPTH, &limit);
  if (depth >= limit) return false;
  glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &depth);
  glGetIntegerv(GL_MAX_CLIENT_ATTRIB_STACK_DEPTH, &limit);
  if (depth >= limit) return false;

  glGetIntegerv(GL_ACTIVE_TEXTURE, &s.active_texture);
  glGetIntegerv(GL_MATRIX_MODE, &s.matrix_mode);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  glActiveTexture(GL_TEXTURE0);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture_2d);
  // A full matrix stack cannot take one more entry; its top is then kept by value.
  for (int i = 0; i < 3; ++i) {
    glMatrixMode(kMatrixModes[i]);
    glGetIntegerv(kStackDepths[i], &depth);
    glGetIntegerv(kStackLimits[i], &limit);
    s.pushed[i] = depth < limit;
    if (s.pushed[i])
      glPushMatrix();
    else
      glGetFloatv(kMatrixValues[i], s.matrices[i]);
  }
  return true;
}

void restore_gl_state(const SavedGlState& s) {
  glActiveTexture(GL_TEXTURE0);
  for (int i = 2; i >= 0; --i) {
    glMatrixMode(kMatrixModes[i]);
    if (s.pushed[i])
      glPopMatrix();
    else
      glLoadMatrixf(s.matrices[i]);
  }
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(s.texture_2d));
  glPopClientAttrib();
  glPopAttrib();
  glActiveTexture(static_cast<GLenum>(s.active_texture));
  glMatrixMode(static_cast<GLenum>(s.matrix_mode));
}

// Plain textured drawing in window pixels, y down: nothing of the application's state may
// change what a surface's pixels look like on screen.
void set_up_drawing(int width, int height) {
  static GLint texture_units = 0;
  if (texture_units == 0) {
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &texture_units);
    texture_units = std::max(texture_units, 1);
  }
  for (GLint unit = texture_units - 1; unit >= 0; --unit) {
    glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_3D);
    glDisable(GL_TEXTURE_CUBE_MAP);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glDisable(GL_TEXTURE_GEN_Q);
  }
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

  static constexpr GLenum kOff[] = {
      GL_LIGHTING,
      GL_DEPTH_TEST,
      GL_STENCIL_TEST,
      GL_ALPHA_TEST,
      GL_BLEND,
      GL_CULL_FACE,
      GL_FOG,
      GL_SCISSOR_TEST,
      GL_COLOR_LOGIC_OP,
      GL_POLYGON_STIPPLE,
      GL_COLOR_MATERIAL,
      GL_POLYGON_OFFSET_FILL,
      GL_CLIP_PLANE0,
      GL_CLIP_PLANE1,
      GL_CLIP_PLANE2,
      GL_CLIP_PLANE3,
      GL_CLIP_PLANE4,
      GL_CLIP_PLANE5,
      GL_DITHER,
  };
  for (GLenum cap : kOff) glDisable(cap);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDrawBuffer(GL_BACK);
  glViewport(0, 0, width, height);
  glDepthRange(0.0, 1.0);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);

  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

// Binds the surface's texture in the current context, uploading the pixels when they changed.
void bind_surface_texture(ChildSurface& s, HGLRC context) {
  if (!s.texture || s.texture_context != context) {
    // A texture of another context stays with that context.
    glGenTextures(1, &s.texture);
    s.texture_context = context;
    s.texture_width = s.texture_height = 0;
    s.dirty = true;
  }
  glBindTexture(GL_TEXTURE_2D, s.texture);
  if (!s.dirty) return;
  if (s.texture_width != s.width || s.texture_height != s.height) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, s.width, s.height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 s.pixels.data());
    s.texture_width = s.width;
    s.texture_height = s.height;
  } else {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, s.width, s.height, GL_BGRA, GL_UNSIGNED_BYTE,
                    s.pixels.data());
  }
  s.dirty = false;
}

// One textured quad showing the part of the surface under a rectangle of the top-level window.
void draw_box(const Box& b, const Box& area, const ChildSurface& s) {
  const float u0 = static_cast<float>(b.left - area.left) / static_cast<float>(s.width);
  const float u1 = static_cast<float>(b.right - area.left) / static_cast<float>(s.width);
  const float v0 = static_cast<float>(b.top - area.top) / static_cast<float>(s.height);
  const float v1 = static_cast<float>(b.bottom - area.top) / static_cast<float>(s.height);
  const auto x0 = static_cast<float>(b.left), x1 = static_cast<float>(b.right);
  const auto y0 = static_cast<float>(b.top), y1 = static_cast<float>(b.bottom);
  glTexCoord2f(u0, v0);
  glVertex2f(x0, y0);
  glTexCoord2f(u0, v1);
  glVertex2f(x0, y1);
  glTexCoord2f(u1, v1);
  glVertex2f(x1, y1);
  glTexCoord2f(u1, v0);
  glVertex2f(x1, y0);
}

void draw_child(const Window& w, ChildSurface& s, const Box& area, const Box& visible,
                HGLRC context) {
  bind_surface_texture(s, context);
  glBegin(GL_QUADS);
  if (const pixman_region32_t* shape = w.region ? region_of(w.region) : nullptr) {
    // The region is in the child's client coordinates; each of its bands is one quad.
    int count = 0;
    const pixman_box32_t* bands = pixman_region32_rectangles(shape, &count);
    for (int i = 0; i < count; ++i) {
      Box b{area.left + bands[i].x1, area.top + bands[i].y1, area.left + bands[i].x2,
            area.top + bands[i].y2};
      b = intersect(b, visible);
      if (!b.empty()) draw_box(b, area, s);
    }
  } else {
    draw_box(visible, area, s);
  }
  glEnd();
}

} // namespace

void resize_child_surface(Window& w) {
  if (!is_child(w)) return;
  const int width = std::max(0, static_cast<int>(w.rect.right - w.rect.left));
  const int height = std::max(0, static_cast<int>(w.rect.bottom - w.rect.top));
  if (!w.surface) {
    w.surface = new (std::nothrow) ChildSurface;
    if (!w.surface) return;
  }
  ChildSurface& s = *w.surface;
  if (s.width == width && s.height == height) return;
  std::vector<std::uint32_t> pixels;
  try {
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    // Without memory for its pixels the child shows nothing until its next resize.
    s.pixels.clear();
    s.width = s.height = 0;
    return;
  }
  const int keep_width = std::min(width, s.width), keep_height = std::min(height, s.height);
  for (int y = 0; y < keep_height; ++y)
    std::copy_n(s.pixels.begin() + static_cast<std::ptrdiff_t>(y) * s.width, keep_width,
                pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
  s.pixels = std::move(pixels);
  s.width = width;
  s.height = height;
  s.dirty = true;
}

void release_child_surface(Window& w) {
  ChildSurface* s = w.surface;
  if (!s) return;
  // NOTE: a texture can only be deleted in its own context; one that is not current keeps it
  // until that context is deleted.
  if (s->texture && s->texture_context && s->texture_context == wglGetCurrentContext())
    glDeleteTextures(1, &s->texture);
  delete s;
  w.surface = nullptr;
}

bool child_surface_view(HWND wnd, PixelView* view) {
  ChildSurface* s = surface_of(wnd);
  if (!s || !view) return false;
  *view = PixelView{reinterpret_cast<std::uint8_t*>(s->pixels.data()),
                    s->width,
                    s->height,
                    static_cast<std::size_t>(s->width) * 4,
                    false,
                    PixelFormat{32, default_masks(32), nullptr, 0}};
  return true;
}

void child_surface_changed(HWND wnd) {
  if (ChildSurface* s = surface_of(wnd)) {
    s->painted = true;
    s->dirty = true;
  }
}

void composite_children(HWND top) {
  Window* t = lookup_window(top);
  if (!t || t->children.empty()) return;
  HGLRC context = wglGetCurrentContext();
  if (!context) return;

  // Kept between frames, so that the list of children costs no allocation once it has grown.
  static std::vector<HWND> order;
  order.clear();
  visible_children(top, order);
  bool anything = false;
  for (HWND child : order) {
    const ChildSurface* s = surface_of(child);
    anything = anything || (s && s->painted && s->width > 0 && s->height > 0);
  }
  if (!anything) return;

  int width = 0, height = 0;
  client_size(top, &width, &height);
  SavedGlState saved;
  if (width <= 0 || height <= 0 || !save_gl_state(saved)) return;
  set_up_drawing(width, height);
  const Box client{0, 0, width, height};
  for (HWND child : order) {
    Window* w = lookup_window(child);
    ChildSurface* s = w ? w->surface : nullptr;
    if (!s || !s->painted || s->width <= 0 || s->height <= 0) continue;
    Box area{}, visible{};
    if (!place_child(child, top, &area, &visible)) continue;
    visible = intersect(visible, client);
    if (!visible.empty()) draw_child(*w, *s, area, visible, context);
  }
  restore_gl_state(saved);
}

} // namespace orvex::platform
