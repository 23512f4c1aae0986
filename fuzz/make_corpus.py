#!/usr/bin/env python3
"""Writes the inputs of the fuzz targets and the hostile test files, all made here from
nothing but the byte layouts of the formats.

  make_corpus.py seeds DIR     seed inputs, one directory per fuzz target:
                               DIR/bmp_depth, DIR/bmp_decode, DIR/bitmap_region,
                               DIR/cursor_file, DIR/version_string
  make_corpus.py hostile DIR   files with a known outcome for the tests (tests/unit and
                               tests/gl read them): impossible sizes, offsets, depths, colour
                               counts, broken run-length data, cut-off files, and every input
                               the fuzzers have found a fault with
"""

import os
import struct
import sys

# --- BMP files --------------------------------------------------------------------------------

BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS = 0, 1, 2, 3


def stride(width, bpp):
    return (width * bpp + 31) // 32 * 4


def pack_rows(rows, bpp):
    """Rows of raw pixel values (indices, or little-endian values) packed at `bpp`, each padded
    to 4 bytes, in the order given."""
    out = bytearray()
    for row in rows:
        packed = bytearray()
        if bpp < 8:
            per_byte = 8 // bpp
            for i in range(0, len(row), per_byte):
                byte = 0
                for j in range(per_byte):
                    value = row[i + j] if i + j < len(row) else 0
                    byte |= (value & ((1 << bpp) - 1)) << (8 - bpp * (j + 1))
                packed.append(byte)
        else:
            for value in row:
                packed += (value & ((1 << bpp) - 1)).to_bytes(bpp // 8, "little")
        packed += bytes(-len(packed) % 4)
        out += packed
    return bytes(out)


def info_header(size, width, height, bpp, compression, size_image, clr_used, masks, planes=1):
    if size == 12:
        return struct.pack("<IHHHH", 12, width & 0xFFFF, height & 0xFFFF, planes, bpp)
    head = struct.pack("<IiiHHIIiiII", size, width, height, planes, bpp, compression,
                       size_image, 2835, 2835, clr_used, 0)
    rest = bytearray()
    if size >= 52:
        rest += struct.pack("<III", *masks)
    if size >= 56:
        rest += struct.pack("<I", 0)  # alpha mask
    if size >= 108:
        rest += struct.pack("<I", 0x73524742)  # colour space "sRGB"
        rest += bytes(36 + 12)  # end points, gammas
    if size >= 124:
        rest += struct.pack("<IIII", 4, 0, 0, 0)  # intent, profile data, size, reserved
    header = head + bytes(rest)
    return header + bytes(max(0, size - len(header)))


def bmp(width, height, bpp, pixels=b"", header_size=40, compression=BI_RGB, colors=None,
        clr_used=None, masks=(0, 0, 0), pixel_offset=None, size_image=None, magic=b"BM",
        planes=1, trailing=b""):
    """A BMP file. `colors` is a list of (r, g, b); `pixels` the pixel array as stored."""
    entry = 3 if header_size == 12 else 4
    table = bytearray()
    for r, g, b in colors or []:
        table += bytes((b, g, r)) + (b"\0" if entry == 4 else b"")
    extra_masks = b""
    if compression == BI_BITFIELDS and header_size == 40:
        extra_masks = struct.pack("<III", *masks)
    if clr_used is None:
        clr_used = 0
    if size_image is None:
        size_image = len(pixels)
    header = info_header(header_size, width, height, bpp, compression, size_image, clr_used,
                         masks, planes)
    offset = 14 + len(header) + len(extra_masks) + len(table)
    if pixel_offset is None:
        pixel_offset = offset
    total = offset + len(pixels) + len(trailing)
    file_header = magic[:2].ljust(2, b"\0") + struct.pack("<IHHI", total, 0, 0,
                                                          pixel_offset & 0xFFFFFFFF)
    return file_header + header + extra_masks + bytes(table) + pixels + trailing


def palette(count):
    return [((i * 53) & 0xFF, (i * 97 + 31) & 0xFF, (i * 193 + 7) & 0xFF) for i in range(count)]


def picture(width, height, bpp, seed=0):
    """Rows of raw values bottom row first: a little pattern that uses the whole depth."""
    top = (1 << bpp) - 1 if bpp < 32 else 0xFFFFFFFF
    rows = []
    for y in range(height):
        rows.append([((x * 2654435761 + y * 40503 + seed * 977) >> 7) & top
                     for x in range(width)])
    return rows


def rle_encode(rows, bpp, use_delta=False, end=True):
    """Run-length data (RLE8 or RLE4) for rows given bottom row first."""
    out = bytearray()
    for y, row in enumerate(rows):
        if use_delta and y == 1 and len(rows) > 2:
            out += bytes((0, 2, 0, 1))  # the second row is left out: a jump over it
            continue
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and run < 254 and row[x + run] == row[x]:
                run += 1
            if run >= 3 or len(row) - x < 3:
                value = row[x] if bpp == 8 else (row[x] << 4) | row[x]
                out += bytes((run, value & 0xFF))
                x += run
                continue
            count = min(len(row) - x, 40)
            literal = row[x:x + count]
            out += bytes((0, count))
            if bpp == 8:
                data = bytes(v & 0xFF for v in literal)
            else:
                data = bytes(((literal[i] & 15) << 4) | (literal[i + 1] & 15 if i + 1 < count else 0)
                             for i in range(0, count, 2))
            out += data + bytes(len(data) % 2)
            x += count
        out += bytes((0, 0))
    if end:
        out += bytes((0, 1))
    return bytes(out)


def default_masks(bpp):
    return (0x7C00, 0x03E0, 0x001F) if bpp == 16 else (0xFF0000, 0x00FF00, 0x0000FF)


def bmp_image(width, height, bpp, header_size=40, top_down=False, compression=BI_RGB,
              masks=None, colors=None, seed=0, use_delta=False):
    """A well-formed file of the given kind."""
    rows = picture(width, height, bpp, seed)
    if bpp <= 8 and colors is None:
        colors = palette(1 << bpp)
    if compression in (BI_RLE8, BI_RLE4):
        pixels = rle_encode(rows, bpp, use_delta)
    else:
        pixels = pack_rows(rows[::-1] if top_down else rows, bpp)
    if masks is None:
        masks = default_masks(bpp) if bpp in (16, 32) else (0, 0, 0)
    return bmp(width, -height if top_down else height, bpp, pixels, header_size, compression,
               colors, masks=masks)


def truncations(data):
    cuts = {14, 18, 30, 54, len(data) // 2, len(data) - 1}
    return [data[:n] for n in sorted(cuts) if 0 < n < len(data)]


def bmp_seeds():
    seeds = {}
    sizes = [(1, 1), (3, 2), (5, 3), (8, 8), (17, 9)]
    for header_size in (12, 40, 52, 56, 108, 124):
        for bpp in (1, 4, 8, 16, 24, 32):
            if header_size == 12 and bpp in (16, 32):
                continue
            for w, h in sizes:
                for top_down in (False, True):
                    if header_size == 12 and top_down:
                        continue
                    name = f"h{header_size}_{bpp}bpp_{w}x{h}_{'td' if top_down else 'bu'}"
                    seeds[name] = bmp_image(w, h, bpp, header_size, top_down, seed=w * h)
    for header_size in (40, 52, 56, 108, 124):
        for bpp, comp in ((8, BI_RLE8), (4, BI_RLE4)):
            for w, h in ((4, 2), (13, 5), (32, 8)):
                for delta in (False, True):
                    name = f"h{header_size}_rle{bpp}_{w}x{h}{'_delta' if delta else ''}"
                    seeds[name] = bmp_image(w, h, bpp, header_size, compression=comp,
                                            seed=w, use_delta=delta)
        for bpp, masks in ((16, (0xF800, 0x07E0, 0x001F)), (16, (0x7C00, 0x03E0, 0x001F)),
                           (32, (0xFF0000, 0x00FF00, 0x0000FF)),
                           (32, (0x3FF00000, 0x000FFC00, 0x000003FF)),
                           (32, (0x000000FF, 0x0000FF00, 0x00FF0000))):
            for top_down in (False, True):
                name = (f"h{header_size}_bitfields{bpp}_{masks[0]:x}_"
                        f"{'td' if top_down else 'bu'}")
                seeds[name] = bmp_image(6, 4, bpp, header_size, top_down, BI_BITFIELDS, masks)
    # Small colour tables, and a pixel offset of 0 ("right after the table").
    seeds["8bpp_16colors"] = bmp(4, 2, 8, pack_rows(picture(4, 2, 4), 8), colors=palette(16),
                                 clr_used=16)
    seeds["4bpp_3colors"] = bmp(5, 2, 4, pack_rows([[0, 1, 2, 1, 0]] * 2, 4), colors=palette(3),
                                clr_used=3)
    seeds["24bpp_offset0"] = bmp(2, 2, 24, pack_rows(picture(2, 2, 24), 24), pixel_offset=0)
    seeds["24bpp_gap"] = bmp(2, 2, 24, bytes(7) + pack_rows(picture(2, 2, 24), 24),
                             pixel_offset=54 + 7)
    for name, data in list(seeds.items()):
        if name.startswith(("h40_24bpp_8x8_bu", "h124_32bpp_5x3_td", "h40_rle8_13x5",
                            "h56_rle4_13x5", "h40_bitfields16", "h12_8bpp_17x9",
                            "h108_1bpp_17x9")):
            for i, cut in enumerate(truncations(data)):
                seeds[f"{name}_cut{i}"] = cut
    return seeds


# --- Cursor and icon files --------------------------------------------------------------------

def cursor_entry_image(width, height, bpp, alpha=False, seed=0, with_mask=True,
                       compression=BI_RGB, masks=(0, 0, 0)):
    """The bytes of one picture: information header (height doubled), colours, XOR, AND."""
    colors = palette(1 << bpp) if bpp <= 8 else []
    rows = picture(width, height, bpp, seed)
    if bpp == 32:
        rows = [[(v & 0xFFFFFF) | ((((x + y) * 37) & 0xFF) << 24 if alpha else 0)
                 for x, v in enumerate(row)] for y, row in enumerate(rows)]
    xor = pack_rows(rows, bpp)
    mask = pack_rows([[(x + y + seed) % 3 == 0 for x in range(width)] for y in range(height)], 1)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bpp, compression, 0, 0, 0,
                         0, 0)
    extra = struct.pack("<III", *masks) if compression == BI_BITFIELDS else b""
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colors)
    return header + extra + table + xor + (mask if with_mask else b"")


def cursor_file(pictures, kind=2):
    """A .cur (kind 2) or .ico (kind 1) file of (width, height, hot_x, hot_y, bytes)."""
    out = struct.pack("<HHH", 0, kind, len(pictures))
    offset = 6 + 16 * len(pictures)
    body = b""
    for width, height, hot_x, hot_y, data in pictures:
        out += struct.pack("<BBBBHHII", width & 0xFF, height & 0xFF, 0, 0, hot_x, hot_y,
                           len(data), offset + len(body))
        body += data
    return out + body


def cursor_seeds():
    seeds = {}
    for kind, ext in ((2, "cur"), (1, "ico")):
        for bpp in (1, 4, 8, 24, 32):
            for side in (16, 32):
                data = cursor_entry_image(side, side, bpp, alpha=(bpp == 32), seed=side)
                seeds[f"{ext}_{bpp}bpp_{side}"] = cursor_file([(side, side, 3, 5, data)], kind)
        seeds[f"{ext}_32bpp_noalpha"] = cursor_file(
            [(32, 32, 1, 1, cursor_entry_image(32, 32, 32, alpha=False))], kind)
        seeds[f"{ext}_32bpp_nomask"] = cursor_file(
            [(16, 16, 0, 0, cursor_entry_image(16, 16, 32, alpha=True, with_mask=False))], kind)
        seeds[f"{ext}_32bpp_bitfields"] = cursor_file(
            [(16, 16, 0, 0, cursor_entry_image(16, 16, 32, compression=BI_BITFIELDS,
                                               masks=(0xFF0000, 0xFF00, 0xFF)))], kind)
        seeds[f"{ext}_three_sizes"] = cursor_file(
            [(16, 16, 2, 2, cursor_entry_image(16, 16, 8)),
             (48, 48, 9, 9, cursor_entry_image(48, 48, 24)),
             (32, 32, 4, 4, cursor_entry_image(32, 32, 4))], kind)
        png = b"\x89PNG\r\n\x1a\n" + bytes(40)
        seeds[f"{ext}_png_then_bmp"] = cursor_file(
            [(32, 32, 0, 0, png), (32, 32, 1, 1, cursor_entry_image(32, 32, 8))], kind)
        seeds[f"{ext}_hotspot_outside"] = cursor_file(
            [(8, 8, 300, 900, cursor_entry_image(8, 8, 1))], kind)
    whole = seeds["cur_8bpp_32"]
    for i, cut in enumerate(sorted({6, 22, 40, 62, len(whole) // 2, len(whole) - 1})):
        seeds[f"cur_8bpp_32_cut{i}"] = whole[:cut]
    return seeds


# --- Version texts ----------------------------------------------------------------------------

VERSION_TEXTS = [
    "2.1.2 NVIDIA 304.137", "4.6.0", "4.5 (Compatibility Profile) Mesa 22.3.6", "1.4",
    "OpenGL ES 3.2 Mesa 22.3.6", "Version 1.4 build 17", "3.3.0 Core", "1.1", "1.2", "2.0",
    "1.7", "3.9", "5.0", "4.10", ".5", "3.", "a.1", "1.a", "", ".", "..", "1..2", "1.2.3.4",
    "99999999999.1", "1.99999999999", "2147483647.2147483647", "2147483648.0", " 4.6 ",
    "0.0", "00000000000000000001.5", "x9.9y", "12 3.4", "3.4.", "1.2\x002.3",
]


# --- Region builder inputs ---------------------------------------------------------------------

def region_seeds():
    """A 4-byte prefix (transparent red, green, blue, tolerance) and a BMP file."""
    magenta = bytes((255, 0, 255, 1))
    seeds = {}
    # 24 bits: opaque runs split by magenta pixels, and near misses of the key.
    key, near, off = 0xFF00FF, 0xFF01FF, 0xFE00FF
    rows = [[key, 0x102030, 0x102030, key, near, off, key, 0x00FF00],
            [0x808080] * 8, [key] * 8, [off, key, off, key, off, key, off, key]]
    seeds["key_24"] = magenta + bmp(8, 4, 24, pack_rows(rows, 24))
    seeds["key_32_td"] = magenta + bmp(8, -4, 32, pack_rows(rows[::-1], 32))
    colors = [(255, 0, 255), (10, 20, 30), (255, 1, 255), (254, 0, 255)]
    index_rows = [[0, 1, 1, 0, 2, 3, 0, 1], [1] * 8, [0] * 8, [3, 0, 3, 0, 3, 0, 3, 0]]
    for bpp in (1, 4, 8):
        table = colors[:2] if bpp == 1 else colors
        rows_b = [[v & ((1 << bpp) - 1) for v in r] for r in index_rows]
        seeds[f"key_{bpp}"] = magenta + bmp(8, 4, bpp, pack_rows(rows_b, bpp), colors=table)
    seeds["key_rle8"] = magenta + bmp(8, 4, 8, rle_encode(index_rows, 8), compression=BI_RLE8,
                                      colors=colors)
    seeds["key_16"] = magenta + bmp_image(8, 4, 16)
    # More than one batch of rectangles: every other pixel transparent.
    checker = [[key if (x + y) % 2 else 0x204060 for x in range(64)] for y in range(72)]
    seeds["checker_64x72"] = magenta + bmp(64, 72, 24, pack_rows(checker, 24))
    seeds["black_tol_255"] = bytes((0, 0, 0, 255)) + bmp_image(5, 3, 24)
    seeds["white_tol_0"] = bytes((255, 255, 255, 0)) + bmp_image(5, 3, 32, header_size=124)
    return seeds


# --- Hostile files with a known outcome ---------------------------------------------------------

def small_pixels(n=246):
    return bytes((i * 7) & 0xFF for i in range(n))


def patch32(data, offset, value):
    return data[:offset] + struct.pack("<I", value & 0xFFFFFFFF) + data[offset + 4:]


def hostile_files():
    """Every file here must load as no image: LoadImageA gives 0, a texture gets a name but no
    pixels, BITMAPTOREGION and LoadCursorFromFileA give 0. The tests list the header probe's
    answer for each."""
    f = {}
    # Sizes that the file cannot hold.
    f["huge_24.bmp"] = bmp(65535, 65535, 24, small_pixels())
    f["huge_32.bmp"] = bmp(65535, 65535, 32, small_pixels())
    f["huge_8.bmp"] = bmp(65535, 65535, 8, small_pixels(200), colors=palette(256))
    f["huge_1.bmp"] = bmp(65535, 65535, 1, small_pixels(200), colors=palette(2))
    f["huge_16_bitfields.bmp"] = bmp(65535, 65535, 16, small_pixels(), compression=BI_BITFIELDS,
                                     masks=(0xF800, 0x07E0, 0x001F))
    f["huge_core_24.bmp"] = bmp(65535, 65535, 24, small_pixels(), header_size=12)
    f["huge_v5_32.bmp"] = bmp(65535, 65535, 32, small_pixels(), header_size=124)
    f["huge_top_down_24.bmp"] = bmp(65535, -65535, 24, small_pixels())
    f["huge_rle8.bmp"] = bmp(65535, 65535, 8, bytes((255, 1)) * 100 + bytes((0, 1)),
                             compression=BI_RLE8, colors=palette(256))
    f["huge_rle8_under_cap.bmp"] = bmp(32768, 32767, 8, bytes((255, 1)) * 100 + bytes((0, 1)),
                                       compression=BI_RLE8, colors=palette(256))
    f["huge_rle4.bmp"] = bmp(65535, 32000, 4, bytes((255, 0x12)) * 100 + bytes((0, 1)),
                             compression=BI_RLE4, colors=palette(16))
    f["huge_rle8_size_image.bmp"] = bmp(20000, 20000, 8, bytes((255, 1)) * 100 + bytes((0, 1)),
                                        compression=BI_RLE8, colors=palette(256),
                                        size_image=0xFFFFFFFF)
    f["wide_24.bmp"] = bmp(0x7FFFFFFF, 1, 24, small_pixels())
    f["pixel_count_overflow_24.bmp"] = bmp(65536, 32768, 24, small_pixels())
    # Zero and negative sizes.
    f["zero_width_24.bmp"] = bmp(0, 4, 24, small_pixels(48))
    f["zero_height_24.bmp"] = bmp(4, 0, 24, small_pixels(48))
    f["zero_both_32.bmp"] = bmp(0, 0, 32, b"")
    f["negative_width_24.bmp"] = bmp(-4, 4, 24, small_pixels(48))
    f["negative_both_24.bmp"] = bmp(-65535, -65535, 24, small_pixels())
    f["min_height_24.bmp"] = bmp(4, -2147483648, 24, small_pixels(48))
    f["zero_width_8.bmp"] = bmp(0, 4, 8, small_pixels(16), colors=palette(256))
    f["negative_width_8.bmp"] = bmp(-8, 2, 8, small_pixels(16), colors=palette(256))
    # Pixel offsets past the end of the file, or inside the headers.
    good24 = bmp_image(4, 4, 24)
    f["offset_past_end_24.bmp"] = patch32(good24, 10, len(good24) + 1)
    f["offset_huge_24.bmp"] = patch32(good24, 10, 0xFFFFFFF0)
    good8 = bmp_image(4, 4, 8)
    f["offset_past_end_8.bmp"] = patch32(good8, 10, len(good8) + 100)
    f["offset_into_header_24.bmp"] = patch32(bmp_image(2, 2, 24), 10, 20)
    f["offset_last_byte_32.bmp"] = patch32(bmp_image(4, 4, 32), 10, len(bmp_image(4, 4, 32)) - 1)
    # Bit counts that no BMP file has.
    f["bits_0.bmp"] = bmp(4, 4, 0, small_pixels(64))
    f["bits_64.bmp"] = bmp(4, 4, 64, small_pixels(128))
    f["bits_2.bmp"] = bmp(4, 4, 2, small_pixels(16), colors=palette(4))
    f["bits_65535.bmp"] = bmp(4, 4, 65535, small_pixels(64))
    # Colour counts above what the depth, or any table, can have.
    f["colors_257_8.bmp"] = bmp(4, 4, 8, small_pixels(16), colors=palette(256) + palette(1),
                                clr_used=257)
    f["colors_max_8.bmp"] = bmp(4, 4, 8, small_pixels(16), colors=palette(16),
                                clr_used=0xFFFFFFFF)
    f["colors_1000_24.bmp"] = bmp(4, 4, 24, small_pixels(48), clr_used=1000)
    f["colors_17_4.bmp"] = bmp(4, 4, 4, small_pixels(16), colors=palette(17), clr_used=17)
    f["colors_3_1.bmp"] = bmp(4, 4, 1, small_pixels(16), colors=palette(3), clr_used=3)
    f["colors_table_cut_8.bmp"] = bmp(4, 4, 8, b"", colors=palette(40), clr_used=256)
    # Broken run-length data.
    colors256 = palette(256)
    f["rle8_run_past_row.bmp"] = bmp(4, 2, 8, bytes((10, 1, 0, 0, 4, 2, 0, 1)),
                                     compression=BI_RLE8, colors=colors256)
    f["rle8_delta_past_image.bmp"] = bmp(4, 2, 8, bytes((0, 2, 1, 5, 4, 2, 0, 1)),
                                         compression=BI_RLE8, colors=colors256)
    f["rle8_delta_past_row.bmp"] = bmp(4, 2, 8, bytes((0, 2, 200, 0, 0, 1)),
                                       compression=BI_RLE8, colors=colors256)
    f["rle8_absolute_cut.bmp"] = bmp(200, 2, 8, bytes((0, 200, 1, 2, 3)), compression=BI_RLE8,
                                     colors=colors256)
    f["rle8_absolute_past_row.bmp"] = bmp(4, 2, 8, bytes((0, 6, 1, 2, 3, 4, 5, 6, 0, 1)),
                                          compression=BI_RLE8, colors=colors256)
    f["rle8_no_end.bmp"] = bmp(4, 3, 8, bytes((4, 1, 0, 0)), compression=BI_RLE8,
                               colors=colors256)
    f["rle8_lines_past_image.bmp"] = bmp(4, 2, 8, bytes((4, 1, 0, 0, 4, 2, 0, 0, 4, 3, 0, 1)),
                                         compression=BI_RLE8, colors=colors256)
    f["rle8_odd_tail.bmp"] = bmp(4, 1, 8, bytes((4, 1, 0)), compression=BI_RLE8,
                                 colors=colors256)
    f["rle8_top_down.bmp"] = bmp(4, -2, 8, rle_encode([[1, 1, 1, 1]] * 2, 8),
                                 compression=BI_RLE8, colors=colors256)
    f["rle4_run_past_row.bmp"] = bmp(4, 2, 4, bytes((9, 0x12, 0, 0, 4, 0x34, 0, 1)),
                                     compression=BI_RLE4, colors=palette(16))
    f["rle4_absolute_cut.bmp"] = bmp(64, 1, 4, bytes((0, 60, 0x12)), compression=BI_RLE4,
                                     colors=palette(16))
    f["rle8_on_24.bmp"] = bmp(2, 2, 24, small_pixels(16), compression=BI_RLE8)
    f["rle4_on_8.bmp"] = bmp(4, 2, 8, rle_encode([[1, 2, 3, 4]] * 2, 4), compression=BI_RLE4,
                             colors=colors256)
    # Bit fields that cannot describe a pixel.
    f["bitfields_zero_16.bmp"] = bmp(4, 4, 16, small_pixels(32), compression=BI_BITFIELDS,
                                     masks=(0, 0, 0))
    f["bitfields_overlap_32.bmp"] = bmp(4, 4, 32, small_pixels(64), compression=BI_BITFIELDS,
                                        masks=(0xFF0000, 0xFFFF00, 0xFF))
    f["bitfields_split_32.bmp"] = bmp(4, 4, 32, small_pixels(64), compression=BI_BITFIELDS,
                                      masks=(0xF0F000, 0xFF, 0xF00))
    f["bitfields_wide_16.bmp"] = bmp(4, 4, 16, small_pixels(32), compression=BI_BITFIELDS,
                                     masks=(0xF80000, 0x07E0, 0x1F))
    f["bitfields_on_24.bmp"] = bmp(4, 4, 24, small_pixels(48), compression=BI_BITFIELDS,
                                   masks=(0xFF0000, 0xFF00, 0xFF))
    f["bitfields_masks_cut.bmp"] = bmp(4, 4, 16, b"", compression=BI_BITFIELDS)[:54]
    # Header sizes of no known variant, and compressions this layer does not decode.
    f["header_size_0.bmp"] = patch32(bmp_image(2, 2, 24), 14, 0)
    f["header_size_1000.bmp"] = patch32(bmp_image(2, 2, 24), 14, 1000)
    f["header_size_max.bmp"] = patch32(bmp_image(2, 2, 24), 14, 0xFFFFFFFF)
    f["header_size_64.bmp"] = patch32(bmp_image(2, 2, 24) + bytes(24), 14, 64)
    f["compression_jpeg_24.bmp"] = bmp(4, 4, 24, small_pixels(48), compression=4)
    f["compression_png_32.bmp"] = bmp(4, 4, 32, small_pixels(64), compression=5)
    f["compression_huge_24.bmp"] = bmp(4, 4, 24, small_pixels(48), compression=0xFFFFFFFF)
    # Cut-off files.
    f["empty.bmp"] = b""
    f["magic_only.bmp"] = b"BM"
    f["file_header_only.bmp"] = bmp_image(4, 4, 24)[:14]
    f["cut_53.bmp"] = bmp_image(4, 4, 24)[:53]
    f["cut_core.bmp"] = bmp_image(4, 4, 24, header_size=12)[:20]
    f["cut_pixels_24.bmp"] = bmp_image(16, 16, 24)[:54 + 16 * 48 // 2]
    f["cut_pixels_8.bmp"] = bmp_image(16, 16, 8)[:54 + 1024 + 100]
    f["cut_v5_header.bmp"] = bmp_image(4, 4, 32, header_size=124)[:100]
    f["wrong_magic_24.bmp"] = bmp(4, 4, 24, small_pixels(48), magic=b"MB")
    f.update(regression_files())
    return f


def hostile_cursors():
    """Cursor and icon files that LoadCursorFromFileA must refuse (give 0)."""
    f = {}
    img = cursor_entry_image(32, 32, 8)
    f["count_huge.cur"] = struct.pack("<HHH", 0, 2, 65535) + bytes(200)
    f["count_zero.ico"] = struct.pack("<HHH", 0, 1, 0) + img
    f["entry_offset_past_end.cur"] = (struct.pack("<HHHBBBBHHII", 0, 2, 1, 32, 32, 0, 0, 1, 1,
                                                  len(img), 0xFFFFFF00) + img)
    f["entry_bytes_past_end.ico"] = (struct.pack("<HHHBBBBHHII", 0, 1, 1, 32, 32, 0, 0, 1, 1,
                                                 0xFFFFFFF0, 22) + img)
    f["picture_65535.cur"] = cursor_file([(0, 0, 0, 0, struct.pack(
        "<IiiHHIIiiII", 40, 65535, 131070, 1, 32, 0, 0, 0, 0, 0, 0) + bytes(300))])
    f["picture_odd_height.ico"] = cursor_file([(32, 32, 0, 0, struct.pack(
        "<IiiHHIIiiII", 40, 32, 33, 1, 8, 0, 0, 0, 0, 0, 0) + img[40:])], 1)
    f["picture_top_down.cur"] = cursor_file([(32, 32, 0, 0, struct.pack(
        "<IiiHHIIiiII", 40, 32, -64, 1, 8, 0, 0, 0, 0, 0, 0) + img[40:])])
    f["picture_bits_64.ico"] = cursor_file([(32, 32, 0, 0, struct.pack(
        "<IiiHHIIiiII", 40, 32, 64, 1, 64, 0, 0, 0, 0, 0, 0) + img[40:])], 1)
    f["picture_colors_300.ico"] = cursor_file([(32, 32, 0, 0, struct.pack(
        "<IiiHHIIiiII", 40, 32, 64, 1, 8, 0, 0, 0, 0, 300, 0) + img[40:])], 1)
    f["picture_rle8.cur"] = cursor_file([(32, 32, 0, 0, struct.pack(
        "<IiiHHIIiiII", 40, 32, 64, 1, 8, BI_RLE8, 0, 0, 0, 0, 0) + img[40:])])
    f["picture_cut.cur"] = cursor_file([(32, 32, 0, 0, img[:len(img) // 2])])
    f["png_only.ico"] = cursor_file([(32, 32, 0, 0, b"\x89PNG\r\n\x1a\n" + bytes(100))], 1)
    f["wrong_type.cur"] = struct.pack("<HHH", 0, 3, 1) + bytes(16) + img
    f["directory_cut.cur"] = cursor_file([(32, 32, 0, 0, img)])[:12]
    f["empty.cur"] = b""
    return f


def regression_files():
    """Inputs with which the fuzzers found faults, kept so that the faults stay fixed."""
    return {}


# --- Output --------------------------------------------------------------------------------------

def write_all(directory, files):
    os.makedirs(directory, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(directory, name), "wb") as out:
            out.write(data)


def main(argv):
    if len(argv) != 3 or argv[1] not in ("seeds", "hostile"):
        sys.stderr.write(__doc__)
        return 2
    out = argv[2]
    if argv[1] == "seeds":
        bmps = bmp_seeds()
        hostile = hostile_files()
        write_all(os.path.join(out, "bmp_depth"), {**bmps, **hostile})
        write_all(os.path.join(out, "bmp_decode"), {**bmps, **hostile})
        region = region_seeds()
        region.update({f"plain_{k}": bytes((255, 0, 255, 1)) + v for k, v in bmps.items()
                       if "_cut" not in k})
        write_all(os.path.join(out, "bitmap_region"), region)
        write_all(os.path.join(out, "cursor_file"), {**cursor_seeds(), **hostile_cursors()})
        write_all(os.path.join(out, "version_string"),
                  {f"text{i:02}": t.encode("latin-1") for i, t in enumerate(VERSION_TEXTS)})
    else:
        write_all(out, hostile_files())
        write_all(out, hostile_cursors())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
