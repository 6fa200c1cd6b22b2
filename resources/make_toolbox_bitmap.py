#!/usr/bin/env python3
"""Draws the control's toolbox picture, resources/HumichartToolbox.bmp: a
16 x 15 true-colour bitmap of a tiny psychrometric chart (the saturation
curve bending up over a tinted field, two grid lines and a red state point).
Run it again after changing the drawing; the bitmap is committed."""
import os
import struct

W, H = 16, 15
GREY = (192, 192, 192)   # toolbox background, shows as transparent in most hosts
FIELD = (255, 250, 220)
GRID = (150, 170, 200)
CURVE = (0, 0, 160)
POINT = (220, 0, 0)
FRAME = (64, 64, 64)

pixels = [[GREY] * W for _ in range(H)]  # row 0 is the top
for y in range(1, H - 1):
    for x in range(1, W - 1):
        pixels[y][x] = FIELD
for x in range(1, W - 1):
    pixels[1][x] = pixels[H - 2][x] = FRAME
for y in range(1, H - 1):
    pixels[y][1] = pixels[y][W - 2] = FRAME
for x in range(2, W - 2):           # a line of constant humidity ratio
    pixels[8][x] = GRID
for y in range(2, H - 2):           # and one of constant temperature
    pixels[y][9] = GRID
# saturation: low at the left, rising steeply to the right
for x in range(2, W - 2):
    t = (x - 2) / (W - 5)
    y = round((H - 3) - t * t * (H - 5))
    pixels[max(2, min(H - 3, y))][x] = CURVE
for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1)):
    pixels[9 + dy][5 + dx] = POINT

row_bytes = (W * 3 + 3) & ~3
image = bytearray()
for y in range(H - 1, -1, -1):       # BMP rows go bottom-up
    row = bytearray()
    for r, g, b in pixels[y]:
        row += bytes((b, g, r))
    row += b"\0" * (row_bytes - len(row))
    image += row
header = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(image), 2835, 2835, 0, 0)
offset = 14 + len(header)
data = b"BM" + struct.pack("<IHHI", offset + len(image), 0, 0, offset) + header + image
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "HumichartToolbox.bmp")
with open(out, "wb") as f:
    f.write(data)
