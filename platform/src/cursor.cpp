#include "cursor.h"

#include "cursor_file.h"
#include "handles.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace orvex::platform {

namespace {

struct Cursor {
  bool from_file = false;
  native::SystemCursor shape = native::SystemCursor::Arrow;
  CursorImage image;
  void* native = nullptr; // made when the cursor is first shown
};

HandleTable<Cursor, HandleKind::Cursor> cursors;
HCURSOR shown = 0;

struct StandardShape {
  int id;
  native::SystemCursor shape;
};

// NOTE: where the native side has no such shape, the nearest one stands in: the up arrow and
// the help cursor become the arrow, the application-starting cursor the arrow with hourglass.
constexpr StandardShape kStandardCursors[] = {
    {32512, native::SystemCursor::Arrow},     {32513, native::SystemCursor::IBeam},
    {32514, native::SystemCursor::Wait},      {32515, native::SystemCursor::Crosshair},
    {32516, native::SystemCursor::Arrow},     {32640, native::SystemCursor::SizeAll},
    {32641, native::SystemCursor::Arrow},     {32642, native::SystemCursor::SizeNWSE},
    {32643, native::SystemCursor::SizeNESW},  {32644, native::SystemCursor::SizeWE},
    {32645, native::SystemCursor::SizeNS},    {32646, native::SystemCursor::SizeAll},
    {32648, native::SystemCursor::No},        {32649, native::SystemCursor::Hand},
    {32650, native::SystemCursor::WaitArrow}, {32651, native::SystemCursor::Arrow},
};
// The standard icons: application, error, question, warning, information, logo, shield.
constexpr int kFirstStandardIcon = 32512;
constexpr int kLastStandardIcon = 32518;

std::vector<std::pair<int, HCURSOR>> standard_handles; // one handle per standard resource

HCURSOR standard(int key, native::SystemCursor shape) {
  for (auto& [k, h] : standard_handles)
    if (k == key) return h;
  auto c = std::make_unique<Cursor>();
  c->shape = shape;
  HCURSOR h = cursors.add(std::move(c));
  if (h) standard_handles.emplace_back(key, h);
  return h;
}

std::optional<std::vector<std::uint8_t>> read_file(LPCSTR name) {
  std::FILE* f = name ? std::fopen(name, "rb") : nullptr;
  if (!f) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[4096];
  constexpr std::size_t kLimit = 4u << 20; // cursor and icon files are small
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) {
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (bytes.size() > kLimit) break;
  }
  std::fclose(f);
  if (bytes.size() > kLimit) return std::nullopt;
  return bytes;
}

} // namespace

void apply_cursor(HCURSOR cursor) {
  if (!cursor || cursor == shown) return;
  Cursor* c = cursors.get(cursor);
  if (!c) return;
  if (!c->native)
    c->native = c->from_file
                    ? native::create_image_cursor(c->image.argb.data(), c->image.width,
                                                  c->image.height, c->image.hot_x, c->image.hot_y)
                    : native::create_system_cursor(c->shape);
  if (!c->native) return;
  native::set_cursor(c->native);
  shown = cursor;
}

void apply_window_icon(native::WindowId window, HICON icon) {
  Cursor* c = cursors.get(icon);
  if (c && c->from_file)
    native::set_window_icon(window, c->image.argb.data(), c->image.width, c->image.height);
}

} // namespace orvex::platform

using namespace orvex::platform;

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance || !name || !IS_INTRESOURCE(name)) return SetLastError(ERROR_FILE_NOT_FOUND), 0;
  int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
  for (const StandardShape& s : kStandardCursors)
    if (s.id == id) return standard(id, s.shape);
  return SetLastError(ERROR_FILE_NOT_FOUND), 0;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (instance || !name || !IS_INTRESOURCE(name)) return SetLastError(ERROR_FILE_NOT_FOUND), 0;
  int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
  if (id < kFirstStandardIcon || id > kLastStandardIcon)
    return SetLastError(ERROR_FILE_NOT_FOUND), 0;
  // Icons live apart from cursors of the same number.
  return standard(-id, native::SystemCursor::Arrow);
}

HCURSOR LoadCursorFromFileA(LPCSTR fileName) {
  auto bytes = read_file(fileName);
  if (!bytes) return SetLastError(ERROR_FILE_NOT_FOUND), 0;
  std::optional<CursorImage> image = decode_cursor_file(bytes->data(), bytes->size());
  if (!image) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  auto c = std::make_unique<Cursor>();
  c->from_file = true;
  c->image = std::move(*image);
  return cursors.add(std::move(c));
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR previous = shown;
  apply_cursor(cursor);
  return previous;
}

BOOL DestroyCursor(HCURSOR cursor) {
  for (auto& [k, h] : standard_handles)
    if (h == cursor) return TRUE; // shared standard cursors stay
  std::unique_ptr<Cursor> c = cursors.remove(cursor);
  if (!c) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (shown == cursor) shown = 0;
  native::destroy_cursor(c->native);
  return TRUE;
}
