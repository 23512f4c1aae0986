// The hostile files that fuzz/make_corpus.py writes at build time, with what each must give.
// Every one of them loads as no image: LoadImageA gives 0, a texture gets a name but no
// pixels, BITMAPTOREGION and LoadCursorFromFileA give 0. What differs is the header probe's
// answer, which reads only the first 54 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvex::test {

struct HostileBmp {
  const char* file;
  std::int32_t depth; // GETBMPDEPTH
};

inline const std::vector<HostileBmp>& HOSTILEBMPS() {
  static const std::vector<HostileBmp> files = {
      // Sizes that the file cannot hold.
      {"huge_24.bmp", 0},
      {"huge_32.bmp", 0},
      {"huge_8.bmp", 8},
      {"huge_1.bmp", 1},
      {"huge_16_bitfields.bmp", 16},
      {"huge_core_24.bmp", 0},
      {"huge_v5_32.bmp", 0},
      {"huge_top_down_24.bmp", 0},
      {"huge_rle8.bmp", 8},
      {"huge_rle8_under_cap.bmp", 8},
      {"huge_rle4.bmp", 4},
      {"huge_rle8_size_image.bmp", 8},
      {"wide_24.bmp", 0},
      {"pixel_count_overflow_24.bmp", 0},
      // Zero and negative sizes.
      {"zero_width_24.bmp", 0},
      {"zero_height_24.bmp", 0},
      {"zero_both_32.bmp", 0},
      {"negative_width_24.bmp", 0},
      {"negative_both_24.bmp", 0},
      {"min_height_24.bmp", 0},
      {"zero_width_8.bmp", 8},
      {"negative_width_8.bmp", 8},
      // Pixel offsets past the end of the file or inside the headers.
      {"offset_past_end_24.bmp", 0},
      {"offset_huge_24.bmp", 0},
      {"offset_past_end_8.bmp", 8},
      {"offset_into_header_24.bmp", 24},
      {"offset_last_byte_32.bmp", 0},
      // Bit counts that no BMP file has.
      {"bits_0.bmp", 0},
      {"bits_64.bmp", 64},
      {"bits_2.bmp", 2},
      {"bits_65535.bmp", 65535},
      // Colour counts above what the depth, or any table, can have.
      {"colors_257_8.bmp", 8},
      {"colors_max_8.bmp", 8},
      {"colors_1000_24.bmp", 24},
      {"colors_17_4.bmp", 4},
      {"colors_3_1.bmp", 1},
      {"colors_table_cut_8.bmp", 8},
      // Broken run-length data.
      {"rle8_run_past_row.bmp", 8},
      {"rle8_delta_past_image.bmp", 8},
      {"rle8_delta_past_row.bmp", 8},
      {"rle8_absolute_cut.bmp", 8},
      {"rle8_absolute_past_row.bmp", 8},
      {"rle8_no_end.bmp", 8},
      {"rle8_lines_past_image.bmp", 8},
      {"rle8_odd_tail.bmp", 8},
      {"rle8_top_down.bmp", 8},
      {"rle4_run_past_row.bmp", 4},
      {"rle4_absolute_cut.bmp", 4},
      {"rle8_on_24.bmp", 24},
      {"rle4_on_8.bmp", 8},
      // Bit fields that cannot describe a pixel.
      {"bitfields_zero_16.bmp", 16},
      {"bitfields_overlap_32.bmp", 32},
      {"bitfields_split_32.bmp", 32},
      {"bitfields_wide_16.bmp", 16},
      {"bitfields_on_24.bmp", 24},
      {"bitfields_masks_cut.bmp", 16},
      // Header sizes of no known variant, compressions that are not decoded.
      {"header_size_0.bmp", 24},
      {"header_size_1000.bmp", 24},
      {"header_size_max.bmp", 24},
      {"header_size_64.bmp", 24},
      {"compression_jpeg_24.bmp", 24},
      {"compression_png_32.bmp", 32},
      {"compression_huge_24.bmp", 24},
      // Cut-off files.
      {"empty.bmp", 0},
      {"magic_only.bmp", 0},
      {"file_header_only.bmp", 0},
      {"cut_53.bmp", 0},
      {"cut_core.bmp", 0},
      {"cut_pixels_24.bmp", 0},
      {"cut_pixels_8.bmp", 8},
      {"cut_v5_header.bmp", 0},
      {"wrong_magic_24.bmp", 0},
  };
  return files;
}

// Cursor and icon files that LoadCursorFromFileA refuses.
inline const std::vector<std::string>& HOSTILECURSORS() {
  static const std::vector<std::string> files = {
      "count_huge.cur",           "count_zero.ico",      "entry_offset_past_end.cur",
      "entry_bytes_past_end.ico", "picture_65535.cur",   "picture_odd_height.ico",
      "picture_top_down.cur",     "picture_bits_64.ico", "picture_colors_300.ico",
      "picture_rle8.cur",         "picture_cut.cur",     "png_only.ico",
      "wrong_type.cur",           "directory_cut.cur",   "empty.cur",
  };
  return files;
}

inline std::string HOSTILEPATH(const std::string& file) {
  return std::string(ORVEX_HOSTILE_DIR) + "/" + file;
}

} // namespace orvex::test
