// Key messages made from SDL key events: virtual-key codes, the lParam bits, system keys and
// the characters TranslateMessage posts.
#include "gl/support/message_log.h"
#include "gl/support/sdl_input.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

namespace orvex::test {
namespace {

constexpr DWORD kTopLevel = WS_POPUP | WS_CAPTION | WS_VISIBLE;

// lParam of a key message: repeat count 1, the scan code, and the flag bits.
constexpr LPARAM key_bits(int scan, bool extended, bool alt, bool was_down, bool released) {
  return static_cast<LPARAM>(1u | (static_cast<DWORD>(scan) << 16) | (extended ? 1u << 24 : 0u) |
                             (alt ? 1u << 29 : 0u) | (was_down ? 1u << 30 : 0u) |
                             (released ? 1u << 31 : 0u));
}

struct Key {
  SDL_Scancode key;
  bool down;
  Uint16 modifiers = KMOD_NONE;
  bool repeat = false;
};

std::string describe(const std::vector<Key>& keys) {
  std::string text;
  for (const Key& k : keys) {
    if (!text.empty()) text += ", ";
    text += SDL_GetScancodeName(k.key);
    text += k.down ? (k.repeat ? " repeat" : " down") : " up";
    if (k.modifiers) text += " (modifiers " + std::to_string(k.modifiers) + ")";
  }
  return text;
}

TEST(KeyboardInput, SdlKeyEventsBecomeKeyMessages) {
  constexpr int kA = 0x1E, kShift = 0x2A, kAlt = 0x38, kF10 = 0x44, kRight = 0x4D, kEsc = 0x01;
  const LPARAM a_down = key_bits(kA, false, false, false, false);
  const LPARAM a_repeat = key_bits(kA, false, false, true, false);
  const LPARAM a_up = key_bits(kA, false, false, true, true);
  struct Case {
    std::vector<Key> keys;
    std::vector<ExpectedMessage> expected;
  };
  const Case cases[] = {
      {{{SDL_SCANCODE_A, true}, {SDL_SCANCODE_A, false}},
       {{WM_KEYDOWN, Came::Posted, 'A', a_down},
        {WM_CHAR, Came::Posted, 'a', a_down},
        {WM_KEYUP, Came::Posted, 'A', a_up}}},
      {{{SDL_SCANCODE_A, true}, {SDL_SCANCODE_A, true, KMOD_NONE, true}, {SDL_SCANCODE_A, false}},
       {{WM_KEYDOWN, Came::Posted, 'A', a_down},
        {WM_CHAR, Came::Posted, 'a', a_down},
        {WM_KEYDOWN, Came::Posted, 'A', a_repeat},
        {WM_CHAR, Came::Posted, 'a', a_repeat},
        {WM_KEYUP, Came::Posted, 'A', a_up}}},
      {{{SDL_SCANCODE_LSHIFT, true, KMOD_LSHIFT},
        {SDL_SCANCODE_A, true, KMOD_LSHIFT},
        {SDL_SCANCODE_A, false, KMOD_LSHIFT},
        {SDL_SCANCODE_LSHIFT, false}},
       {{WM_KEYDOWN, Came::Posted, VK_SHIFT, key_bits(kShift, false, false, false, false)},
        {WM_KEYDOWN, Came::Posted, 'A', a_down},
        {WM_CHAR, Came::Posted, 'A', a_down},
        {WM_KEYUP, Came::Posted, 'A', a_up},
        {WM_KEYUP, Came::Posted, VK_SHIFT, key_bits(kShift, false, false, true, true)}}},
      // Typed faster than the queue is read: each press keeps the character of its own moment.
      {{{SDL_SCANCODE_A, true},
        {SDL_SCANCODE_A, false},
        {SDL_SCANCODE_LSHIFT, true, KMOD_LSHIFT},
        {SDL_SCANCODE_A, true, KMOD_LSHIFT},
        {SDL_SCANCODE_A, false, KMOD_LSHIFT},
        {SDL_SCANCODE_LSHIFT, false},
        {SDL_SCANCODE_A, true},
        {SDL_SCANCODE_A, false}},
       {{WM_KEYDOWN, Came::Posted, 'A', a_down},
        {WM_CHAR, Came::Posted, 'a', a_down},
        {WM_KEYUP, Came::Posted, 'A', a_up},
        {WM_KEYDOWN, Came::Posted, VK_SHIFT, key_bits(kShift, false, false, false, false)},
        {WM_KEYDOWN, Came::Posted, 'A', a_down},
        {WM_CHAR, Came::Posted, 'A', a_down},
        {WM_KEYUP, Came::Posted, 'A', a_up},
        {WM_KEYUP, Came::Posted, VK_SHIFT, key_bits(kShift, false, false, true, true)},
        {WM_KEYDOWN, Came::Posted, 'A', a_down},
        {WM_CHAR, Came::Posted, 'a', a_down},
        {WM_KEYUP, Came::Posted, 'A', a_up}}},
      {{{SDL_SCANCODE_LALT, true, KMOD_LALT},
        {SDL_SCANCODE_A, true, KMOD_LALT},
        {SDL_SCANCODE_A, false, KMOD_LALT}},
       {{WM_SYSKEYDOWN, Came::Posted, VK_MENU, key_bits(kAlt, false, true, false, false)},
        {WM_SYSKEYDOWN, Came::Posted, 'A', key_bits(kA, false, true, false, false)},
        {WM_SYSCHAR, Came::Posted, 'a', key_bits(kA, false, true, false, false)},
        {WM_SYSKEYUP, Came::Posted, 'A', key_bits(kA, false, true, true, true)}}},
      {{{SDL_SCANCODE_F10, true}, {SDL_SCANCODE_F10, false}},
       {{WM_SYSKEYDOWN, Came::Posted, VK_F10, key_bits(kF10, false, false, false, false)},
        {WM_SYSKEYUP, Came::Posted, VK_F10, key_bits(kF10, false, false, true, true)}}},
      {{{SDL_SCANCODE_RIGHT, true}, {SDL_SCANCODE_RIGHT, false}},
       {{WM_KEYDOWN, Came::Posted, VK_RIGHT, key_bits(kRight, true, false, false, false)},
        {WM_KEYUP, Came::Posted, VK_RIGHT, key_bits(kRight, true, false, true, true)}}},
      {{{SDL_SCANCODE_ESCAPE, true}, {SDL_SCANCODE_ESCAPE, false}},
       {{WM_KEYDOWN, Came::Posted, VK_ESCAPE, key_bits(kEsc, false, false, false, false)},
        {WM_CHAR, Came::Posted, 0x1B, key_bits(kEsc, false, false, false, false)},
        {WM_KEYUP, Came::Posted, VK_ESCAPE, key_bits(kEsc, false, false, true, true)}}},
  };
  HWND wnd = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 320, 240);
  ASSERT_TRUE(wnd);
  for (const Case& c : cases) {
    PUMPMESSAGES();
    CLEARLOG();
    for (const Key& k : c.keys) PUSHKEY(wnd, k.key, k.down, k.modifiers, k.repeat);
    PUMPMESSAGES();
    EXPECT_TRUE(SAMEMESSAGES(describe(c.keys), c.expected, WITHOUT(MESSAGELOG(), {WM_PAINT})));
  }
}

} // namespace
} // namespace orvex::test
