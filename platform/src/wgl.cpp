// Pixel formats, OpenGL rendering contexts and the buffer swap.
#include "compositor.h"
#include "gdi_dc.h"
#include "handles.h"
#include "window.h"

#include <memory>

namespace orvex::platform {

namespace {

struct GlContext {
  void* native = nullptr;
  HWND window = 0; // the window whose pixel format it was made for
};

HandleTable<GlContext, HandleKind::GlContext> contexts;
HGLRC current = 0;

// NOTE: every window has the same, single pixel format, fixed when its native window is made:
// RGBA 8-8-8-8, depth 24, stencil 8, double-buffered.
constexpr int kOnlyFormat = 1;

Window* window_of_dc(HDC dc) {
  DeviceContext* c = lookup_dc(dc);
  return c && c->kind == DcKind::Window ? lookup_window(c->window) : nullptr;
}

} // namespace

} // namespace orvex::platform

using namespace orvex::platform;

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd) {
  if (!window_of_dc(dc)) return SetLastError(ERROR_INVALID_HANDLE), 0;
  if (!pfd) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  constexpr DWORD kRequired = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  if (pfd->iPixelType != PFD_TYPE_RGBA || (pfd->dwFlags & kRequired) != kRequired ||
      (pfd->dwFlags & (PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI)))
    return SetLastError(ERROR_INVALID_PIXEL_FORMAT), 0;
  return kOnlyFormat;
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*) {
  Window* w = window_of_dc(dc);
  if (!w || !w->native) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (format != kOnlyFormat || (w->pixel_format && w->pixel_format != format))
    return SetLastError(ERROR_INVALID_PIXEL_FORMAT), FALSE;
  w->pixel_format = format;
  return TRUE;
}

int GetPixelFormat(HDC dc) {
  Window* w = window_of_dc(dc);
  return w ? w->pixel_format : 0;
}

HGLRC wglCreateContext(HDC dc) {
  Window* w = window_of_dc(dc);
  if (!w || !w->native) return SetLastError(ERROR_INVALID_HANDLE), 0;
  if (!w->pixel_format) return SetLastError(ERROR_INVALID_PIXEL_FORMAT), 0;
  // NOTE: the native context is current once made; Win32 leaves the current one alone.
  HGLRC previous = current;
  void* native_context = native::create_gl_context(w->native);
  if (!native_context) return SetLastError(ERROR_INVALID_PIXEL_FORMAT), 0;
  auto c = std::make_unique<GlContext>();
  c->native = native_context;
  c->window = w->handle;
  HGLRC rc = contexts.add(std::move(c));
  if (!rc) native::delete_gl_context(native_context);
  GlContext* prior = contexts.get(previous);
  Window* prior_window = prior ? lookup_window(prior->window) : nullptr;
  if (prior && prior_window)
    native::make_current(prior_window->native, prior->native);
  else
    native::make_current(0, nullptr);
  return rc;
}

BOOL wglMakeCurrent(HDC dc, HGLRC rc) {
  if (!rc) {
    native::make_current(0, nullptr);
    current = 0;
    return TRUE;
  }
  GlContext* c = contexts.get(rc);
  Window* w = window_of_dc(dc);
  if (!c || !w || !w->native) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (!native::make_current(w->native, c->native)) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  current = rc;
  return TRUE;
}

BOOL wglDeleteContext(HGLRC rc) {
  std::unique_ptr<GlContext> c = contexts.remove(rc);
  if (!c) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (current == rc) {
    native::make_current(0, nullptr);
    current = 0;
  }
  native::delete_gl_context(c->native);
  return TRUE;
}

HGLRC wglGetCurrentContext() {
  return current;
}

BOOL SwapBuffers(HDC dc) {
  Window* w = window_of_dc(dc);
  if (!w || !w->native) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  composite_children(w->handle);
  native::swap_window(w->native);
  return TRUE;
}
