#!/usr/bin/env python3
"""Draws Humistart's application icon, a small i-d chart, and writes it as a
Windows .ico with nine images: 48, 32 and 16 pixels, each at 16 colours,
256 colours and true colour with alpha.  Standard library only, so that the
icon can be made again on any machine:

    scripts/gen_humistart_icon.py resources/Humistart.ico
"""
import math
import struct
import sys

SIZES = (48, 32, 16)
SUPERSAMPLE = 4

# The standard 16-colour palette, which every display shows without dithering.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def palette256():
    colours = list(VGA16)
    levels = (0, 51, 102, 153, 204, 255)
    colours += [(r, g, b) for r in levels for g in levels for b in levels]
    colours += [(v, v, v) for v in range(8, 256, 11)][: 256 - len(colours)]
    while len(colours) < 256:
        colours.append((0, 0, 0))
    return colours


def saturation(x):
    """The saturation curve in unit chart coordinates: steep near dry air,
    flattening towards high humidity ratios, as on the real chart."""
    return 0.05 + 0.6 * (1.0 - math.exp(-2.6 * x)) / (1.0 - math.exp(-2.6))


def sample(u, v):
    """Colour (r, g, b, a) of the chart at unit coordinates (u right, v down)."""
    border = 0.06
    if u < border or u > 1 - border or v < border or v > 1 - border:
        return (0, 0, 0, 0)
    edge = 0.035
    if (u < border + edge or u > 1 - border - edge or v < border + edge or v > 1 - border - edge):
        return (40, 40, 40, 255)
    # Chart space: x grows right (humidity ratio), y grows up (enthalpy axis).
    x = (u - border - edge) / (1 - 2 * (border + edge))
    y = 1 - (v - border - edge) / (1 - 2 * (border + edge))
    curve = saturation(x)
    above = y > curve
    colour = (255, 255, 255) if above else (226, 236, 250)
    # Slanted enthalpy lines, only on the unsaturated side.
    if above:
        for k in range(1, 5):
            if abs((y + 0.55 * x) - 0.33 * k) < 0.022:
                colour = (160, 160, 160)
    # The saturation curve itself.
    if abs(y - curve) < 0.045:
        colour = (0, 70, 200)
    # A process line between two state points.
    p, q = (0.2, 0.52), (0.6, 0.82)
    t = max(0.0, min(1.0, ((x - p[0]) * (q[0] - p[0]) + (y - p[1]) * (q[1] - p[1]))
                     / ((q[0] - p[0]) ** 2 + (q[1] - p[1]) ** 2)))
    dx, dy = x - (p[0] + t * (q[0] - p[0])), y - (p[1] + t * (q[1] - p[1]))
    if dx * dx + dy * dy < 0.03 ** 2:
        colour = (0, 150, 0)
    for point in (p, q):
        if (x - point[0]) ** 2 + (y - point[1]) ** 2 < 0.085 ** 2:
            colour = (220, 0, 0)
    return colour + (255,)


def render(size):
    pixels = []
    n = SUPERSAMPLE
    for row in range(size):
        line = []
        for col in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = sample((col + (sx + 0.5) / n) / size, (row + (sy + 0.5) / n) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / (n * n)
            if acc[3]:
                line.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(alpha)))
            else:
                line.append((0, 0, 0, 0))
        pixels.append(line)
    return pixels


def nearest(colour, palette):
    r, g, b = colour[:3]
    return min(range(len(palette)),
               key=lambda i: (palette[i][0] - r) ** 2 * 3 + (palette[i][1] - g) ** 2 * 4 + (palette[i][2] - b) ** 2 * 2)


def row_bytes(bits, width):
    return ((bits * width + 31) // 32) * 4


def dib(pixels, bits):
    size = len(pixels)
    palette = {4: VGA16, 8: palette256()}.get(bits, [])
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    xor = bytearray()
    for line in reversed(pixels):  # bottom-up
        out = bytearray()
        if bits == 32:
            for r, g, b, a in line:
                out += bytes((b, g, r, a))
        else:
            indices = [nearest(p, palette) if p[3] >= 128 else 0 for p in line]
            if bits == 8:
                out += bytes(indices)
            else:
                for i in range(0, size, 2):
                    out.append((indices[i] << 4) | (indices[i + 1] if i + 1 < size else 0))
        out += bytes(row_bytes(bits, size) - len(out))
        xor += out
    mask = bytearray()
    for line in reversed(pixels):
        out = bytearray(row_bytes(1, size))
        for col, p in enumerate(line):
            if p[3] < 128:
                out[col // 8] |= 0x80 >> (col % 8)
        mask += out
    return header + colours + bytes(xor) + bytes(mask)


def main(path):
    images = []
    for size in SIZES:
        pixels = render(size)
        for bits in (4, 8, 32):
            images.append((size, bits, dib(pixels, bits)))
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b''
    for size, bits, data in images:
        colour_count = 16 if bits == 4 else 0
        directory += struct.pack('<BBBBHHII', size, size, colour_count, 0, 1, bits, len(data), offset + len(body))
        body += data
    with open(path, 'wb') as f:
        f.write(directory + body)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'resources/Humistart.ico')
