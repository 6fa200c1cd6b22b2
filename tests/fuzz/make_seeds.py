#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (tests/fuzz/corpus/<target>/): one
valid input of each reader and a few near misses. Run again after a format
changes; the files are committed."""
import os
import struct
import zlib

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def put(target, name, data):
    with open(os.path.join(here, target, name), "wb") as f:
        f.write(data)


def utf16(text):
    return text.encode("utf-16-le")


# The property stream: version, extent, pressure and range, flags, data index.
def stream(version, pressure=101325.0, rng=(65.0, -30.0, 42.0, 0.0), flags=(1, 1, 1, 1, 0, 0, 1, 1), index=0):
    return (struct.pack("<III", version, 16404, 11615) + struct.pack("<5d", pressure, *rng)
            + struct.pack("<8I", *flags) + struct.pack("<I", index))


put("property_stream_fuzz", "template_0710", stream(0x710))
put("property_stream_fuzz", "current_0800", stream(0x800, 95000.0, (40.0, -10.0, 30.0, 2.0), (0, 1, 0, 1, 1, 1, 0, 0), 7))
put("property_stream_fuzz", "short", stream(0x800)[:50])


# A slot file payload: remark, flags, pressure, CSSR, range, then the lists.
def text(s):
    units = utf16(s)
    return struct.pack("<I", len(units) // 2) + units


def payload():
    out = text("remark \U0001F321")
    out += struct.pack("<8i", 0, 1, 1, 0, 1, 1, 0, 1)
    out += struct.pack("<d", 95123.5)
    out += struct.pack("<4d", 26.0, 20.0, 10.0, 5.0)
    out += struct.pack("<4d", -10.05, 40.2, 2.0, 30.0)
    points = [(50.0, 10.0, "Z"), (42.5, 8.25, "送风点"), (30.0, 5.0, ""), (1e308, -1e308, "far")]
    out += struct.pack("<I", len(points))
    for i, d, n in points:
        out += struct.pack("<2d", i, d) + text(n)
    processes = [("Z", "送风点", "冷却", 1200.0), ("A", "", "", -3.5)]
    out += struct.pack("<I", len(processes))
    for a, b, n, f in processes:
        out += text(a) + text(b) + text(n) + struct.pack("<d", f)
    mixes = [("Z", "送风点", "M1", "mix", 300.0, 1000.0), ("", "A", "M2", "", 5e-324, -0.0)]
    out += struct.pack("<I", len(mixes))
    for a, b, m, n, f, t in mixes:
        out += text(a) + text(b) + text(m) + text(n) + struct.pack("<2d", f, t)
    return out


body = payload()
whole = b"HUMISLOT" + struct.pack("<III", 1, len(body), zlib.crc32(body) & 0xFFFFFFFF) + body
put("slot_file_fuzz", "payload", b"\0" + body)
put("slot_file_fuzz", "whole_file", b"\1" + whole)
put("slot_file_fuzz", "empty_lists", b"\0" + body[: body.index(struct.pack("<I", 4))] + struct.pack("<3I", 0, 0, 0))


# An extended dialog template: a text, a class-id item and a button.
def item(style, x, y, cx, cy, ident, cls, title):
    out = struct.pack("<III4hI", 0, 0, style, x, y, cx, cy, ident)
    out += (struct.pack("<HH", 0xFFFF, cls) if isinstance(cls, int) else utf16(cls) + b"\0\0")
    out += utf16(title) + b"\0\0" + struct.pack("<H", 0)
    return out


def dialog():
    out = struct.pack("<HHIII", 1, 0xFFFF, 0, 0, 0x80C800C0 | 0x40) + struct.pack("<H4h", 3, 0, 0, 200, 120)
    out += b"\0\0" + b"\0\0" + utf16("Test") + b"\0\0" + struct.pack("<HHBB", 9, 400, 0, 1) + utf16("MS Shell Dlg") + b"\0\0"
    for entry in (item(0x50000000, 4, 4, 40, 8, 999, 0x0082, "before"),
                  item(0x50010000, 10, 20, 100, 60, 1000, "{6A1B7E2C-5D43-4F8A-9B21-3C0D5E7F9A11}", ""),
                  item(0x50010000, 140, 90, 50, 14, 1001, 0x0080, "after")):
        while len(out) % 4:
            out += b"\0"
        out += entry
    return out


put("dialog_template_fuzz", "extended_with_control", dialog())
key = struct.pack("<I", 2) + utf16("KY")
put("dialog_template_fuzz", "dlginit_records",
    struct.pack("<HHI", 1000, 0x037A, len(key) + 8) + key + bytes(range(1, 9))
    + struct.pack("<HHI", 1001, 0x0378, 0) + struct.pack("<H", 0))
put("dialog_template_fuzz", "dlginit_overlong", struct.pack("<HHI", 1000, 0x0376, 88) + bytes(4))

# The calculator: a pressure flag and pressure, then operation bytes and arguments.
put("calc_fuzz", "ordinary", b"\1" + struct.pack("<d", 101325.0) + b"\4" + struct.pack("<2d", 20.0, 0.5)
    + b"\x0b" + struct.pack("<2d", 50.0, 1.0) + b"\x16" + struct.pack("<2d", 12.0, 55.0))
put("calc_fuzz", "hostile", b"\1" + struct.pack("<d", 1e-300) + b"\5" + struct.pack("<2d", 1e308, -1e308)
    + b"\x02" + struct.pack("<d", float("inf")) + b"\x07" + struct.pack("<2d", float("nan"), 5e-324))

for name, sample in (("plain", "12.5e3 kJ"), ("signed", "  -0.25"), ("huge", "1e999"), ("dots", "1.2.3"), ("none", "abc")):
    put("leading_number_fuzz", name, utf16(sample))
