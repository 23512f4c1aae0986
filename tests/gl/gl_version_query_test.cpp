#include "framework/render/gl_version.h"
#include "gl/support/gl_context.h"

#include <cstdint>
#include <string>

namespace {

class GlVersionQuery : public orvex::test::GlTest {};

std::string DRIVERTEXT() {
  const GLubyte* text = glGetString(GL_VERSION);
  return text ? reinterpret_cast<const char*>(text) : "";
}

TEST_F(GlVersionQuery, ReadsTheCurrentDriversNumbers) {
  std::int32_t major = -1;
  std::int32_t minor = -1;
  const std::string text = orvex::GETOPENGLVERSION(major, minor);
  const std::string driver = DRIVERTEXT();
  EXPECT_GE(major, 1) << "driver text \"" << driver << "\"";
  EXPECT_GE(minor, 0) << "driver text \"" << driver << "\"";
  EXPECT_EQ(text, std::to_string(major) + "." + std::to_string(minor));
  // A desktop compatibility context reports "major.minor" first.
  EXPECT_EQ(driver.rfind(text, 0), 0u) << "driver text \"" << driver << "\", read " << text;
}

TEST_F(GlVersionQuery, TheDriverMeetsTheVersionsItReports) {
  struct Case {
    long double request;
    bool met;
  };
  const Case cases[] = {
      {orvex::GL_VERSION_1_0, true},
      {orvex::GL_VERSION_1_2, true},
      {1.2L, true},
      {orvex::GL_VERSION_1_3, true},
      {9.0L, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(orvex::CHECKOPENGLVERSION(c.request), c.met)
        << "request " << c.request << ", driver \"" << DRIVERTEXT() << "\"";
}

TEST_F(GlVersionQuery, WithoutACurrentContextThereIsNoVersion) {
  orvex::test::MAKETESTCONTEXTCURRENT(false);
  std::int32_t major = -1;
  std::int32_t minor = -1;
  const std::string text = orvex::GETOPENGLVERSION(major, minor);
  const bool met = orvex::CHECKOPENGLVERSION(orvex::GL_VERSION_1_0);
  orvex::test::MAKETESTCONTEXTCURRENT(true);
  EXPECT_EQ(major, 0);
  EXPECT_EQ(minor, 0);
  EXPECT_EQ(text, "0.0");
  EXPECT_FALSE(met) << "no version read means no version met";
}

} // namespace
