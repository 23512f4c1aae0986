// Records the GL calls the code under test makes. The entry points are interposed inside the
// test executable and forward every call to the driver, so the recorded calls also take effect.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace orvex::test {

// One GL call: the entry point's name and its arguments, widened to double (enums, integers and
// floats all exactly); for glLightfv the vector's components follow the light and the name.
struct GlCall {
  std::string name;
  std::vector<double> args;
};

bool operator==(const GlCall& a, const GlCall& b);
std::ostream& operator<<(std::ostream& out, const GlCall& call);

// Records the interposed GL calls made while it lives; recordings do not nest.
class GlRecording {
public:
  GlRecording();
  ~GlRecording();
  GlRecording(const GlRecording&) = delete;
  GlRecording& operator=(const GlRecording&) = delete;

  // The calls so far, in order.
  const std::vector<GlCall>& calls() const;
  // The calls so far to one entry point, in order.
  std::vector<GlCall> calls(const std::string& name) const;
  // Every glVertex3f so far in eye coordinates: the vertex times the modelview matrix that was
  // current at the glBegin before it.
  const std::vector<std::array<double, 3>>& eye_vertices() const;
};

// Passes when actual is exactly expected; otherwise lists both with the first difference.
::testing::AssertionResult SAMECALLS(const std::vector<GlCall>& expected,
                                     const std::vector<GlCall>& actual);

} // namespace orvex::test
