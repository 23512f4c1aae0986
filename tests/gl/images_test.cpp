// The demo's pictures as orvex-images writes them: valid 24-bit bottom-up BMP files of
// power-of-two sizes, and a sky atlas whose faces meet without seams.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace orvex::test {

namespace {

namespace fs = std::filesystem;

// The generator sits next to the test executable in the build root.
fs::path GENERATOR() {
  return fs::read_symlink("/proc/self/exe").parent_path() / "orvex-images";
}

// Runs the generator into a fresh directory; empty when it is missing or fails.
fs::path GENERATEIMAGES(std::string& error) {
  const fs::path tool = GENERATOR();
  if (!fs::exists(tool)) {
    error = tool.string() + " is missing: build the orvex-images target";
    return {};
  }
  std::string pattern = (fs::temp_directory_path() / "orvex-images-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    error = "mkdtemp failed";
    return {};
  }
  const std::string command = "'" + tool.string() + "' '" + pattern + "'";
  const int status = std::system(command.c_str());
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    error = command + " failed with status " + std::to_string(status);
    return {};
  }
  return pattern;
}

class ImagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string error;
    directory = GENERATEIMAGES(error);
    ASSERT_FALSE(directory.empty()) << error;
  }
  void TearDown() override {
    std::error_code ignored;
    if (!directory.empty()) fs::remove_all(directory, ignored);
  }
  fs::path directory;
};

std::vector<std::uint8_t> READFILE(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t LE(const std::vector<std::uint8_t>& d, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | d[at + i];
  return v;
}

// The header fields that make a plain 24-bit bottom-up BMP file.
struct BmpLayout {
  std::uint32_t magic = 0, file_size = 0, offset = 0, header_size = 0;
  std::int32_t width = 0, height = 0;
  std::uint32_t planes = 0, bits = 0, compression = 0, image_size = 0;
  std::uint64_t actual_size = 0;
  bool operator==(const BmpLayout&) const = default;
};

BmpLayout LAYOUT(const std::vector<std::uint8_t>& d) {
  BmpLayout l;
  l.actual_size = d.size();
  if (d.size() < 54) return l;
  l.magic = LE(d, 0, 2);
  l.file_size = LE(d, 2, 4);
  l.offset = LE(d, 10, 4);
  l.header_size = LE(d, 14, 4);
  l.width = static_cast<std::int32_t>(LE(d, 18, 4));
  l.height = static_cast<std::int32_t>(LE(d, 22, 4));
  l.planes = LE(d, 26, 2);
  l.bits = LE(d, 28, 2);
  l.compression = LE(d, 30, 4);
  l.image_size = LE(d, 34, 4);
  return l;
}

BmpLayout EXPECTEDLAYOUT(std::int32_t width, std::int32_t height) {
  const std::uint32_t image = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4 * height;
  return {0x4D42, 54 + image, 54, 40, width, height, 1, 24, 0, image, 54 + image};
}

std::string DESCRIBE(const BmpLayout& l) {
  std::ostringstream out;
  out << "magic 0x" << std::hex << l.magic << std::dec << ", size field " << l.file_size
      << ", pixels at " << l.offset << ", header " << l.header_size << ", " << l.width << " x "
      << l.height << ", planes " << l.planes << ", " << l.bits << " bits, compression "
      << l.compression << ", image size " << l.image_size << ", file " << l.actual_size << " bytes";
  return out.str();
}

bool POWEROFTWO(std::int32_t v) {
  return v > 0 && (v & (v - 1)) == 0;
}

TEST_F(ImagesTest, TheThreePicturesArePlain24BitBmpFilesOfPowerOfTwoSizes) {
  const struct {
    const char* file;
    std::int32_t width, height;
  } cases[] = {{"sky_seaday6.bmp", 1024, 512}, {"Floor05.bmp", 512, 512}, {"wall.bmp", 512, 512}};
  for (const auto& c : cases) {
    const BmpLayout actual = LAYOUT(READFILE(directory / c.file));
    const BmpLayout expected = EXPECTEDLAYOUT(c.width, c.height);
    EXPECT_TRUE(actual == expected && POWEROFTWO(actual.width) && POWEROFTWO(actual.height))
        << c.file << "\n  expected: " << DESCRIBE(expected) << "\n  actual:   " << DESCRIBE(actual);
  }
}

// The sky atlas as texels: column from the left, row from the bottom (t = 0).
struct Atlas {
  std::vector<std::uint8_t> bytes;
  std::int32_t width = 0, height = 0;
  std::array<int, 3> at(int column, int row) const {
    const std::size_t p = 54 + (static_cast<std::size_t>(row) * width + column) * 3;
    return {bytes[p + 2], bytes[p + 1], bytes[p]};
  }
};

// Two runs of texels that the sky box shows side by side.
struct Seam {
  const char* name;
  std::function<std::array<int, 4>(int)> texels; // i -> column a, row a, column b, row b
};

double MEANDIFFERENCE(const Atlas& atlas, const Seam& seam, int count) {
  double sum = 0;
  for (int i = 0; i < count; ++i) {
    const std::array<int, 4> p = seam.texels(i);
    const auto a = atlas.at(p[0], p[1]), b = atlas.at(p[2], p[3]);
    for (int k = 0; k < 3; ++k) sum += std::abs(a[k] - b[k]);
  }
  return sum / (3.0 * count);
}

TEST_F(ImagesTest, SkyAtlasFacesMeetWithoutSeams) {
  Atlas atlas{READFILE(directory / "sky_seaday6.bmp"), 1024, 512};
  ASSERT_TRUE(LAYOUT(atlas.bytes) == EXPECTEDLAYOUT(1024, 512)) << DESCRIBE(LAYOUT(atlas.bytes));
  constexpr int n = 256; // texels along a cell's edge
  // Upper row (rows 256..511): the horizon faces -x, -z, +x, +z in cells 0 to 3, the last
  // joining the first round the box. Lower row: the sea below in cell 0, the sky above in 1.
  const std::vector<Seam> seams = {
      {"cell 3 right edge / cell 0 left edge",
       [](int i) {
         return std::array{4 * n - 1, n + i, 0, n + i};
       }},
      {"cell 0 / cell 1",
       [](int i) {
         return std::array{n - 1, n + i, n, n + i};
       }},
      {"cell 1 / cell 2",
       [](int i) {
         return std::array{2 * n - 1, n + i, 2 * n, n + i};
       }},
      {"cell 2 / cell 3",
       [](int i) {
         return std::array{3 * n - 1, n + i, 3 * n, n + i};
       }},
      {"sea, far edge / bottom of -z",
       [](int i) {
         return std::array{i, n - 1, n + i, n};
       }},
      {"sea, near edge / bottom of +z",
       [](int i) {
         return std::array{i, 0, 4 * n - 1 - i, n};
       }},
      {"sea, left edge / bottom of -x",
       [](int i) {
         return std::array{0, i, i, n};
       }},
      {"sea, right edge / bottom of +x",
       [](int i) {
         return std::array{n - 1, i, 3 * n - 1 - i, n};
       }},
      {"sky, far edge / top of -z",
       [](int i) {
         return std::array{n + i, 0, n + i, 2 * n - 1};
       }},
      {"sky, near edge / top of +z",
       [](int i) {
         return std::array{n + i, n - 1, 4 * n - 1 - i, 2 * n - 1};
       }},
      {"sky, left edge / top of -x",
       [](int i) {
         return std::array{n, i, n - 1 - i, 2 * n - 1};
       }},
      {"sky, right edge / top of +x",
       [](int i) {
         return std::array{2 * n - 1, i, 2 * n + i, 2 * n - 1};
       }},
  };
  // Neighbouring texels inside a face differ by about one level; a seam may differ by a little
  // more, since the faces meet at an angle, but a mismatched face differs by several.
  const Seam inside = {"inside -z, two neighbouring columns", [](int i) {
                         return std::array{n + 100, n + i, n + 101, n + i};
                       }};
  const double reference = MEANDIFFERENCE(atlas, inside, n);
  constexpr double kLimit = 2.5;
  for (const Seam& seam : seams) {
    const double difference = MEANDIFFERENCE(atlas, seam, n);
    EXPECT_LE(difference, kLimit) << seam.name << ": mean difference " << difference
                                  << " levels across the seam (limit " << kLimit
                                  << "; inside a face " << reference << ")";
  }
}

} // namespace

} // namespace orvex::test
