// Window classes: registration, lookup by name or atom, and their description.
#include "window_class.h"

#include <memory>
#include <strings.h>
#include <vector>

namespace orvex::platform {

namespace {

std::vector<std::unique_ptr<WindowClass>> classes;
ATOM next_atom = 0xC000; // the range Win32 gives to registered class names

WindowClass* find(LPCSTR name) {
  if (!name) return nullptr;
  for (auto& c : classes) {
    if (IS_INTRESOURCE(name) ? c->atom == static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name))
                             : strcasecmp(c->name.c_str(), name) == 0)
      return c.get();
  }
  return nullptr;
}

ATOM register_class(WindowClass wc) {
  if (!wc.proc || wc.name.empty()) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  if (find(wc.name.c_str())) return SetLastError(ERROR_CLASS_ALREADY_EXISTS), 0;
  wc.atom = next_atom++;
  classes.push_back(std::make_unique<WindowClass>(std::move(wc)));
  return classes.back()->atom;
}

} // namespace

const WindowClass* find_window_class(LPCSTR name) {
  return find(name);
}

} // namespace orvex::platform

using orvex::platform::WindowClass;

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName))
    return SetLastError(ERROR_INVALID_PARAMETER), 0;
  return orvex::platform::register_class({0, wc->lpszClassName, wc->style, wc->lpfnWndProc,
                                          wc->hInstance, wc->hIcon, 0, wc->hCursor,
                                          wc->hbrBackground});
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpszClassName ||
      IS_INTRESOURCE(wc->lpszClassName))
    return SetLastError(ERROR_INVALID_PARAMETER), 0;
  return orvex::platform::register_class({0, wc->lpszClassName, wc->style, wc->lpfnWndProc,
                                          wc->hInstance, wc->hIcon, wc->hIconSm, wc->hCursor,
                                          wc->hbrBackground});
}

BOOL GetClassInfoExA(HINSTANCE, LPCSTR name, WNDCLASSEXA* wc) {
  // NOTE: one program, one module: an instance of 0 finds the program's own classes too.
  const WindowClass* c = orvex::platform::find(name);
  if (!c) return SetLastError(ERROR_CLASS_DOES_NOT_EXIST), FALSE;
  if (!wc) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  *wc = WNDCLASSEXA{};
  wc->cbSize = sizeof(WNDCLASSEXA);
  wc->style = c->style;
  wc->lpfnWndProc = c->proc;
  wc->hInstance = c->instance;
  wc->hIcon = c->icon;
  wc->hIconSm = c->small_icon;
  wc->hCursor = c->cursor;
  wc->hbrBackground = c->background;
  wc->lpszClassName = name;
  return c->atom;
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE) {
  auto& all = orvex::platform::classes;
  for (auto it = all.begin(); it != all.end(); ++it) {
    if ((*it).get() == orvex::platform::find(name)) {
      all.erase(it);
      return TRUE;
    }
  }
  return SetLastError(ERROR_CLASS_DOES_NOT_EXIST), FALSE;
}
