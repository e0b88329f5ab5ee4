#!/usr/bin/env python3
"""Writes the small seed files of the fuzz targets into fuzz/seeds/.

Usage: fuzz/make_seeds.py [QDCLI]
With the path of a built qdcli, TIFF and JPEG seeds are written through the
shipped filters as well (from testdata/particles.bmp and colour.bmp).
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

root = os.path.dirname(os.path.abspath(__file__))
seeds = os.path.join(root, "seeds")


def put(target, name, data):
    folder = os.path.join(seeds, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def name_field(text, size):
    return text.encode().ljust(size, b"\0")


def npy(descr, shape, data, fortran=False, major=1):
    order = "True" if fortran else "False"
    dims = ", ".join(str(d) for d in shape) + ("," if len(shape) == 1 else "")
    header = "{'descr': '%s', 'fortran_order': %s, 'shape': (%s), }" % (descr, order, dims)
    length = 4 if major > 1 else 2
    pad = (64 - (8 + length + len(header) + 1) % 64) % 64
    header = header + " " * pad + "\n"
    head = b"\x93NUMPY" + bytes([major, 0])
    head += struct.pack("<I" if major > 1 else "<H", len(header))
    return head + header.encode() + data


def png(width, height, rows, colour=0, depth=8):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


# NumPy: every element kind the reader takes, both orders, versions 1 and 2.
put("npy", "u1.npy", npy("|u1", (3, 4), bytes(range(12))))
put("npy", "f8_fortran.npy", npy("<f8", (2, 3), struct.pack("<6d", *range(6)), fortran=True))
put("npy", "i2_big.npy", npy(">i2", (2, 2), struct.pack(">4h", 1, -2, 3, -4)))
put("npy", "c8_v2.npy", npy("<c8", (1, 2), struct.pack("<4f", 1, 2, 3, 4), major=2))
put("npy", "b1_1d.npy", npy("|b1", (5,), bytes([0, 1, 0, 1, 1])))

# Raw import: width, height, type, offset, swap byte, then the file.
put("raw_import", "uchar.bin", struct.pack("<iiiiB", 4, 2, 3, 2, 0) + bytes(range(10)))
put("raw_import", "short_swapped.bin", struct.pack("<iiiiB", 2, 2, 4, 0, 1) + bytes(8))
put("raw_import", "huge.bin", struct.pack("<iiiiB", 0x7FFFFFFF, 0x7FFFFFFF, 9, 0, 0) + bytes(16))
put("raw_import", "far_offset.bin", struct.pack("<iiiiB", 1, 1, 3, 0x7FFFFFFF, 0x80) + bytes(4))

# Palette file: name, flag, colours; 256-, 16- and 2-colour records.
def palette(name, flag, n):
    return name_field(name, 128) + struct.pack("<i", flag) + struct.pack("<%dI" % n, *[i * 0x010101 & 0xFFFFFF for i in range(n)])
put("palette", "three.dat", palette("grey", 0, 256) + palette("sixteen", 1, 16) + palette("two", 2, 2))
put("palette", "cut.dat", palette("whole", 2, 2) + palette("cut", 0, 256)[:300])

# Kernel files: name, N, [divisor,] N x N values.
put("conv_kernels", "two.dat", name_field("box", 128) + struct.pack("<id", 3, 9.0) + struct.pack("<9d", *[1] * 9) +
    name_field("one", 128) + struct.pack("<id", 1, 1.0) + struct.pack("<d", 1))
put("conv_kernels", "cut.dat", name_field("cut", 128) + struct.pack("<id", 5, 1.0) + bytes(40))
put("mm_kernels", "two.dat", name_field("cross", 128) + struct.pack("<i", 3) + struct.pack("<9i", 0, 1, 0, 1, 1, 1, 0, 1, 0) +
    name_field("dot", 128) + struct.pack("<i", 1) + struct.pack("<i", 1))
put("mm_kernels", "big_n.dat", name_field("big", 128) + struct.pack("<i", 256) + bytes(64))

# Extension lists: 520-byte plug-in records, 260-byte filter paths.
put("plugin_list", "two.dat", name_field("plugins/heron.so", 260) + name_field("Filter|", 260) +
    name_field("/opt/x.so", 260) + name_field("", 260))
put("plugin_list", "unterminated.dat", b"p" * 260 + b"m" * 260)
put("filter_list", "two.dat", name_field("filters/png_filter.so", 260) + name_field("x.so", 260))
put("filter_list", "unterminated.dat", b"f" * 260 + b"g" * 100)

# qdcli command lines, arguments separated by NUL bytes.
for i, line in enumerate([
        ["in.qdw", "-o", "out.npy", "--range", "0,255", "--display-type", "2"],
        ["--raw", "4,4,uchar,16,1", "--as", "float", "in.raw"],
        ["--answer", "1", "--answer", "x", "--pick", "2", "--select", "1,2,3,4"],
        ["--kernel", "0x10", "--weights", "1,2,3,nan", "--divisor", "1e400", "-o"],
        ["--json", "--quiet", "--eight", "--unknown"]]):
    put("qdcli_options", "line%d.txt" % i, b"\0".join(a.encode() for a in line))

# A few pictures through the shipped filters' writers.
put("png_filter", "grey2x2.png", png(2, 2, [b"\x00\xff", b"\x80\x40"]))
put("png_filter", "rgb1x1.png", png(1, 1, [b"\x10\x20\x30"], colour=2))
put("png_filter", "grey16.png", png(1, 2, [b"\x12\x34", b"\xff\xff"], depth=16))
if len(sys.argv) > 1:
    qdcli = sys.argv[1]
    with tempfile.TemporaryDirectory() as tmp:
        for target, source, ext in (("tiff_filter", "particles", "tif"), ("tiff", "particles", "tif"),
                                    ("jpeg_filter", "colour", "jpg")):
            out = os.path.join(tmp, source + "." + ext)
            subprocess.run([qdcli, "convert", os.path.join(root, "..", "testdata", source + ".bmp"), "-o", out],
                           check=True)
            with open(out, "rb") as f:
                put(target, source + "." + ext, f.read())
