#!/usr/bin/env python3
"""Draws the lens-flare pictures (sun disc, cross glare, halo ring) as PPM pictures.

Usage: flares.py sun|cross|halo SIZE > out.ppm

The game adds these onto the sky, so black is see-through and every design
fades to black well inside the square's edges; all three are symmetric about
both axes, so they look the same whichever way up they are drawn.
"""

import math
import sys


def clamp(v):
    return max(0.0, min(1.0, v))


def sun(x, y):
    r = math.hypot(x, y)
    disc = clamp((0.22 - r) / 0.05)
    corona = math.exp(-max(0.0, r - 0.17) * 4.5) * clamp((1.0 - r) / 0.3)
    return (clamp(disc + corona), clamp(disc + 0.86 * corona), clamp(disc + 0.5 * corona))


def ray(along, across, thin, length_power):
    """A bright line on an axis: sharp across, fading to nothing at the square's edge."""
    fade = clamp(1.0 - abs(along)) ** length_power
    return fade * (math.exp(-abs(across) / thin) + 0.25 * math.exp(-abs(across) / (thin * 5)))


def cross(x, y):
    r = math.hypot(x, y)
    u, v = (x + y) / math.sqrt(2.0), (x - y) / math.sqrt(2.0)
    axes = ray(x, y, 0.010, 1.6) + ray(y, x, 0.010, 1.6)
    diagonals = 0.35 * (ray(u, v, 0.007, 2.5) + ray(v, u, 0.007, 2.5))
    centre = math.exp(-r / 0.07)
    i = clamp(axes + diagonals + centre) * clamp((1.0 - r) / 0.15)
    return (i, 0.96 * i, 0.88 * i)


def halo(x, y):
    r = math.hypot(x, y)
    ring = 0.9 * math.exp(-(((r - 0.72) / 0.026) ** 2))
    inner = 0.12 * math.exp(-(((r - 0.66) / 0.12) ** 2))
    i = clamp(ring + inner) * clamp((0.98 - r) / 0.08)
    return (i, i, i)


DESIGNS = {"sun": sun, "cross": cross, "halo": halo}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in DESIGNS:
        sys.exit("usage: flares.py sun|cross|halo SIZE > out.ppm")
    try:
        size = int(sys.argv[2])
    except ValueError:
        sys.exit("flares.py: SIZE must be a whole number")
    if not 8 <= size <= 4096:
        sys.exit("flares.py: SIZE must be between 8 and 4096")
    design = DESIGNS[sys.argv[1]]
    out = sys.stdout.buffer
    out.write(b"P6\n%d %d\n255\n" % (size, size))
    half = size / 2.0
    for py in range(size):
        row = bytearray()
        for px in range(size):
            # four samples per pixel keep the thin rays smooth
            acc = [0.0, 0.0, 0.0]
            for ox, oy in ((0.25, 0.25), (0.75, 0.25), (0.25, 0.75), (0.75, 0.75)):
                c = design((px + ox - half) / half, (py + oy - half) / half)
                for k in range(3):
                    acc[k] += c[k] / 4.0
            row += bytes(int(round(255 * clamp(c))) for c in acc)
        out.write(bytes(row))


if __name__ == "__main__":
    main()
