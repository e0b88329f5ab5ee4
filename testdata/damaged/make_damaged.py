#!/usr/bin/env python3
"""Writes the damaged-file corpus next to this script.

Every file here must be refused by every reader (bitmap, TIFF, native, NumPy)
without a crash, an out-of-bounds access or a huge allocation. Run it again
after changing it; the files are committed so the tests need no Python.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def save(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def flip(data, offset, bit):
    b = bytearray(data)
    b[offset] ^= 1 << bit
    return bytes(b)


# ---- Windows bitmaps ----
def bmp(width, height, bits, compression=0, info_size=40, colors_used=0, pixels=None,
        palette_entries=None, offset=None):
    n = {1: 2, 4: 16, 8: 256}.get(bits, 0) if palette_entries is None else palette_entries
    row = (bits * abs(width) + 31) // 32 * 4
    if pixels is None:
        pixels = bytes(row * abs(height))
    off = 14 + info_size + 4 * n if offset is None else offset
    head = struct.pack("<2sIHHI", b"BM", off + len(pixels), 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bits, compression,
                       len(pixels), 0, 0, colors_used, 0)
    info += bytes(max(0, info_size - 40))
    return head + info + bytes(4 * n) + pixels


good_bmp = bmp(5, 3, 8)
save("bmp_truncated_header.bmp", good_bmp[:30])
save("bmp_truncated_palette.bmp", good_bmp[:300])
save("bmp_truncated_pixels.bmp", good_bmp[:-5])
save("bmp_huge_dimensions.bmp", bmp(0x7FFFFFFF, 0x7FFFFFFF, 24, pixels=bytes(64)))
save("bmp_min_height.bmp", bmp(4, -0x80000000, 8, pixels=bytes(64)))
save("bmp_tall_top_down.bmp", bmp(4, -1000000, 8, pixels=bytes(64)))
save("bmp_negative_width.bmp", bmp(-4, 4, 8, pixels=bytes(64)))
save("bmp_rle8.bmp", bmp(4, 2, 8, compression=1, pixels=bytes([2, 7, 0, 0, 0, 1])))
save("bmp_16_bits.bmp", bmp(4, 2, 16))
save("bmp_32_bits.bmp", bmp(4, 2, 32))
save("bmp_core_header.bmp", bmp(4, 2, 8, info_size=12))
save("bmp_info_size_past_end.bmp", flip(bmp(4, 2, 8), 14 + 3, 6))
save("bmp_offset_past_end.bmp", bmp(4, 2, 24, offset=0x7FFFFFF0))
save("bmp_bitflip_width.bmp", flip(good_bmp, 18 + 2, 7))
save("bmp_bitflip_height.bmp", flip(good_bmp, 22 + 3, 6))
save("bmp_bitflip_signature.bmp", flip(good_bmp, 0, 3))


# ---- TIFF ----
def tiff(entries, blobs=b"", big=False):
    """entries: (tag, type, count, value-field bytes as int). Blobs follow the header."""
    e = ">" if big else "<"
    ifd = 8 + len(blobs)
    out = (b"MM" if big else b"II") + struct.pack(e + "HI", 42, ifd) + blobs
    out += struct.pack(e + "H", len(entries))
    for tag, typ, count, value in sorted(entries):
        if typ == 3 and count == 1:
            out += struct.pack(e + "HHIHH", tag, typ, count, value, 0)
        else:
            out += struct.pack(e + "HHII", tag, typ, count, value)
    return out + struct.pack(e + "I", 0)


def grey_tiff(width=4, height=2, bits=8, extra=(), big=False, strip=None, count=None):
    pixels = bytes(range(1, width * height + 1)) if width * height < 200 else bytes(8)
    entries = [(256, 4, 1, width), (257, 4, 1, height), (258, 3, 1, bits),
               (273, 4, 1, 8 if strip is None else strip),
               (279, 4, 1, len(pixels) if count is None else count)]
    tags = {t for t, *_ in extra}
    entries = [x for x in entries if x[0] not in tags] + list(extra)
    return tiff(entries, pixels, big)


good_tiff = grey_tiff()
save("tif_truncated_directory.tif", good_tiff[:-20])
save("tif_truncated_header.tif", good_tiff[:6])
save("tif_directory_past_end.tif", b"II" + struct.pack("<HI", 42, 0x7FFFFFF0) + bytes(8))
save("tif_huge_entry_count.tif", b"MM" + struct.pack(">HIH", 42, 8, 0xFFFF) + bytes(24))
save("tif_strip_past_end.tif", grey_tiff(strip=0x10000000))
save("tif_strip_count_past_end.tif", grey_tiff(count=0xFFFFFFF0))
save("tif_huge_dimensions.tif", grey_tiff(extra=[(256, 4, 1, 100000), (257, 4, 1, 100000)]))
save("tif_width_overflow.tif", grey_tiff(extra=[(256, 4, 1, 0xFFFFFFFF)], big=True))
save("tif_strip_table_past_end.tif",
     grey_tiff(extra=[(273, 4, 2, 0x7FFFFF00), (279, 4, 2, 0x7FFFFF00)]))
save("tif_huge_strip_table.tif",
     grey_tiff(extra=[(273, 4, 0x40000000, 8), (279, 4, 0x40000000, 8)], big=True))
save("tif_colormap_past_end.tif", grey_tiff(extra=[(320, 3, 768, 0x00FFFF00)]))
save("tif_lzw.tif", grey_tiff(extra=[(259, 3, 1, 5)]))
save("tif_16_bits.tif", grey_tiff(bits=16))
save("tif_rgb16_list.tif", grey_tiff(extra=[(258, 3, 3, 0x7FFFFFF0)], big=True))
save("tif_rgb_short_strip.tif",
     grey_tiff(width=4, height=2, extra=[(258, 3, 1, 24), (277, 3, 1, 3)]))
save("tif_planar_rgb.tif", grey_tiff(width=2, height=2, extra=[
    (258, 3, 1, 24), (277, 3, 1, 3), (279, 4, 1, 12), (284, 3, 1, 2)]))
save("tif_uneven_strip_tables.tif", grey_tiff(extra=[(279, 3, 2, 0x00040004)]))
save("tif_rgb_strips_end_early.tif", grey_tiff(width=2, height=2, extra=[
    (258, 3, 1, 24), (277, 3, 1, 3), (278, 4, 1, 1), (279, 4, 1, 6)]))
save("tif_missing_strips.tif", tiff([(256, 4, 1, 1), (257, 4, 1, 1)]))
save("tif_missing_byte_counts.tif", tiff([(256, 4, 1, 1), (257, 4, 1, 1), (273, 4, 1, 8)], b"\x01\x00"))
save("tif_missing_width.tif", tiff([(257, 4, 1, 1), (273, 4, 1, 8), (279, 4, 1, 1)], b"\x01\x00"))
save("tif_zero_height.tif", grey_tiff(extra=[(257, 4, 1, 0)]))
save("tif_bitflip_version.tif", flip(good_tiff, 2, 0))
save("tif_bitflip_offset.tif", flip(good_tiff, 7, 6))


# ---- Native image files ----
def qdw(width, height, dtype, data_len=None, version=b"Quidora 1.00"):
    h = bytearray(2704)
    h[0:len(version)] = version
    struct.pack_into("<iiii", h, 128, 256, width, height, dtype)
    struct.pack_into("<d", h, 304, 1.0)
    row = {1: (width + 7) // 8, 2: (width + 1) // 2, 4: width, 8: width, 16: 2 * width}.get(dtype, 4 * width)
    n = row * height if data_len is None else data_len
    return bytes(h) + bytes(max(0, min(n, 4096)))


good_qdw = qdw(5, 3, 16)
save("qdw_truncated_header.qdw", good_qdw[:1000])
save("qdw_truncated_data.qdw", good_qdw[:-1])
save("qdw_wrong_version.qdw", qdw(5, 3, 16, version=b"Quidora 1.01"))
save("qdw_long_version.qdw", qdw(5, 3, 16, version=b"Quidora 1.00 beta"))
save("qdw_huge_dimensions.qdw", qdw(0x7FFFFFFF, 0x7FFFFFFF, 2048, data_len=64))
save("qdw_negative_height.qdw", qdw(5, -3, 16, data_len=30))
save("qdw_unknown_type.qdw", qdw(5, 3, 3))
save("qdw_bitflip_width.qdw", flip(good_qdw, 132 + 3, 5))


# ---- NumPy ----
def npy(header, data, major=1):
    size = 2 if major == 1 else 4
    used = 8 + size + len(header) + 1
    header += " " * ((64 - used % 64) % 64) + "\n"
    packed = struct.pack("<H" if major == 1 else "<I", len(header))
    return b"\x93NUMPY" + bytes([major, 0]) + packed + header.encode() + data


def dict_(descr, shape, fortran="False"):
    return "{'descr': %s, 'fortran_order': %s, 'shape': %s, }" % (descr, fortran, shape)


good_npy = npy(dict_("'<f4'", "(2, 3)"), bytes(24))
save("npy_truncated_data.npy", good_npy[:-1])
save("npy_truncated_header.npy", good_npy[:40])
save("npy_header_length_past_end.npy", npy(dict_("'<f4'", "(2, 3)"), b"", major=2)[:8] +
     struct.pack("<I", 0xFFFFFFF0) + bytes(16))
save("npy_huge_shape.npy", npy(dict_("'<f8'", "(999999999, 999999999)"), bytes(64)))
save("npy_fortran_truncated.npy", npy(dict_("'<f4'", "(2, 3)", "True"), bytes(23)))
save("npy_object.npy", npy(dict_("'|O'", "(1, 1)"), bytes(8)))
save("npy_structured.npy", npy(dict_("[('x', '<i4')]", "(1, 1)"), bytes(8)))
save("npy_int64.npy", npy(dict_("'<i8'", "(1, 1)"), bytes(8)))
save("npy_four_dimensions.npy", npy(dict_("'|u1'", "(1, 1, 1, 3)"), bytes(3)))
save("npy_unclosed_header.npy", npy("{'descr': '<f4', 'fortran_order': False, 'shape': (2, 3", bytes(24)))
save("npy_version_9.npy", npy(dict_("'<f4'", "(2, 3)"), bytes(24), major=9))
save("npy_bitflip_magic.npy", flip(good_npy, 1, 2))

# ---- Anything ----
save("empty.bin", b"")
save("one_byte.bin", b"B")
save("text.txt", b"not an image at all\n")
