// GETVERSIONSTRING on arbitrary driver texts, against a plain reading of its contract: the
// run of digits right before the first "." is the major number, the run right after it the
// minor number; 0 and 0 when either is missing or does not fit 32 bits.
#include "framework/render/gl_version.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool digit(char c) {
  return c >= '0' && c <= '9';
}

bool value_of(const std::string& digits, std::int32_t& out) {
  if (digits.empty()) return false;
  std::int64_t v = 0;
  for (char c : digits) {
    v = v * 10 + (c - '0');
    if (v > INT32_MAX) return false;
  }
  out = static_cast<std::int32_t>(v);
  return true;
}

void expected_numbers(const std::string& text, std::int32_t& major, std::int32_t& minor) {
  major = minor = 0;
  const std::size_t dot = text.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 >= text.size()) return;
  std::size_t begin = dot;
  while (begin > 0 && digit(text[begin - 1])) --begin;
  std::size_t end = dot + 1;
  while (end < text.size() && digit(text[end])) ++end;
  std::int32_t a = 0, b = 0;
  if (!value_of(text.substr(begin, dot - begin), a) ||
      !value_of(text.substr(dot + 1, end - dot - 1), b))
    return;
  major = a;
  minor = b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::int32_t major = -1, minor = -1;
  orvex::GETVERSIONSTRING(text, major, minor);

  std::int32_t want_major, want_minor;
  expected_numbers(text, want_major, want_minor);
  if (major != want_major || minor != want_minor) {
    std::fprintf(stderr, "parsed %d.%d, expected %d.%d\n", major, minor, want_major, want_minor);
    std::abort();
  }
  // The table lookup takes any pair the parse can give.
  const long double table = orvex::GLTABLEVERSION(major, minor);
  if (major >= 1 && !(table >= 1.0L && table <= 4.5L)) std::abort();
  if (major < 1 && !std::isnan(table)) std::abort();
  return 0;
}
