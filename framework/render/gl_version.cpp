#include "framework/render/gl_version.h"

#include <array>
#include <limits>

namespace orvex {

namespace {

bool ISDIGIT(char c) {
  return c >= '0' && c <= '9';
}

// The value of a run of decimal digits, or false when it does not fit 32 bits.
bool DIGITSTOINT(const std::string& digits, std::int32_t& value) {
  std::int64_t result = 0;
  for (char c : digits) {
    result = result * 10 + (c - '0');
    if (result > std::numeric_limits<std::int32_t>::max()) return false;
  }
  value = static_cast<std::int32_t>(result);
  return true;
}

// Rows by major number 1..4, columns by minor number 0..5, the last column for minor 5 and up.
constexpr std::array<std::array<long double, 6>, 4> VERSION_TABLE{{
    {GL_VERSION_1_0, GL_VERSION_1_1, GL_VERSION_1_2, GL_VERSION_1_3, GL_VERSION_1_4,
     GL_VERSION_1_5},
    {GL_VERSION_2_0, GL_VERSION_2_1, GL_VERSION_2_1, GL_VERSION_2_1, GL_VERSION_2_1,
     GL_VERSION_2_1},
    {GL_VERSION_3_0, GL_VERSION_3_1, GL_VERSION_3_2, GL_VERSION_3_3, GL_VERSION_3_3,
     GL_VERSION_3_3},
    {GL_VERSION_4_0, GL_VERSION_4_1, GL_VERSION_4_2, GL_VERSION_4_3, GL_VERSION_4_4,
     GL_VERSION_4_5},
}};

} // namespace

void GETVERSIONSTRING(std::string VERSION, std::int32_t& MAX, std::int32_t& MIN) {
  MAX = 0;
  MIN = 0;

  // Character positions count from 1; 0 stands for "no such character".
  const auto at = [&VERSION](std::size_t position) { return VERSION[position - 1]; };
  const auto first_dot = [&VERSION]() -> std::size_t {
    const std::size_t found = VERSION.find('.');
    return found == std::string::npos ? 0 : found + 1;
  };

  std::size_t SEPARATOR = first_dot();
  if (!(SEPARATOR > 1 && VERSION.size() > SEPARATOR && ISDIGIT(at(SEPARATOR - 1)) &&
        ISDIGIT(at(SEPARATOR + 1))))
    return;

  SEPARATOR = SEPARATOR - 1;
  while (SEPARATOR > 0 && ISDIGIT(at(SEPARATOR))) SEPARATOR = SEPARATOR - 1;
  VERSION.erase(0, SEPARATOR);

  SEPARATOR = first_dot() + 1;
  while (SEPARATOR <= VERSION.size() && ISDIGIT(at(SEPARATOR))) SEPARATOR = SEPARATOR + 1;
  VERSION.erase(SEPARATOR - 1);

  SEPARATOR = first_dot();
  std::int32_t major = 0;
  std::int32_t minor = 0;
  if (!DIGITSTOINT(VERSION.substr(0, SEPARATOR - 1), major)) return;
  if (!DIGITSTOINT(VERSION.substr(SEPARATOR), minor)) return;
  MAX = major;
  MIN = minor;
}

std::string GETOPENGLVERSION(std::int32_t& MAX, std::int32_t& MIN) {
  const GLubyte* text = glGetString(GL_VERSION);
  GETVERSIONSTRING(text ? reinterpret_cast<const char*>(text) : "", MAX, MIN);
  return std::to_string(MAX) + "." + std::to_string(MIN);
}

long double GLTABLEVERSION(std::int32_t MAXVER, std::int32_t MINVER) {
  if (MAXVER < 1 || MINVER < 0) return std::numeric_limits<long double>::quiet_NaN();
  const std::size_t row = static_cast<std::size_t>(MAXVER < 4 ? MAXVER : 4) - 1;
  const std::size_t column = static_cast<std::size_t>(MINVER < 5 ? MINVER : 5);
  return VERSION_TABLE[row][column];
}

bool CHECKOPENGLVERSION(long double VERSION) {
  std::int32_t MAXVER = 0;
  std::int32_t MINVER = 0;
  GETOPENGLVERSION(MAXVER, MINVER);
  const long double GLVERSION_ = GLTABLEVERSION(MAXVER, MINVER);
  return GLVERSION_ >= VERSION;
}

} // namespace orvex
