#!/usr/bin/env python3
"""Draws the rock, paper and scissors hand icons as PPM pictures (vector shapes, anti-aliased).

Usage: hands.py rock|paper|scissors WIDTH HEIGHT > out.ppm

Each hand is built from rounded shapes given by signed distance functions and
painted back to front, each with a dark outline, on a dark plate with a frame
whose colour also tells the sign. Shapes are laid out on a 128 x 96 design grid
(the 4:3 shape the icon has on screen) and scaled to the requested size.
"""

import math
import sys

SKIN = (246, 200, 150)
SKIN_SHADE = (214, 150, 100)
INK = (40, 22, 12)
FRAMES = {"rock": (255, 150, 40), "paper": (70, 220, 110), "scissors": (190, 110, 255)}
# Each hand is shrunk about its centre so that the fingertips clear the frame.
FIT = {"rock": (0.9, 62, 55), "paper": (0.8, 62, 50), "scissors": (0.8, 62, 50)}


def capsule(ax, ay, bx, by, r):
    """A segment from a to b thickened to radius r."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def d(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r

    return d


def rounded_box(cx, cy, hw, hh, r, angle=0.0):
    """A box of half sizes hw, hh with corners of radius r, turned by angle degrees."""
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def d(x, y):
        u, v = (x - cx) * c + (y - cy) * s, -(x - cx) * s + (y - cy) * c
        qx, qy = abs(u) - hw + r, abs(v) - hh + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r

    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def fill(shape):
    """Skin without outline: hides the seams of the shapes under it."""
    return (shape, 0.0)


def part(shape):
    """Skin with an outline."""
    return (shape, 2.2)


def part_outline_only(shape, keep_inside):
    """The outline of a union, drawn only where it borders the covering shape."""
    return ("outline", shape, keep_inside)


def rock():
    fingers = [rounded_box(38 + 15 * i, 38, 8.5, 15, 8) for i in range(4)]
    return [
        part(rounded_box(64, 86, 20, 12, 4)),  # wrist
        part(rounded_box(61, 55, 34, 26, 14)),  # back of the fist
        *[part(f) for f in fingers],  # curled fingers, knuckles up
        part(capsule(33, 64, 74, 60, 9)),  # thumb across the front
    ]


def paper():
    fingers = [
        capsule(44, 52, 36, 16, 6.5),
        capsule(57, 50, 56, 9, 6.8),
        capsule(70, 50, 75, 13, 6.5),
        capsule(81, 56, 91, 27, 5.6),
    ]
    palm = rounded_box(62, 62, 23, 18, 10)
    thumb = capsule(44, 70, 22, 46, 7)
    return [
        part(rounded_box(62, 86, 17, 12, 4)),  # wrist
        part(thumb),
        *[part(f) for f in fingers],
        fill(palm),  # covers the finger roots
        part_outline_only(union(palm, thumb, *fingers), keep_inside=palm),
    ]


def scissors():
    index = capsule(54, 52, 36, 10, 7)
    middle = capsule(68, 52, 88, 10, 7)
    return [
        part(rounded_box(62, 88, 18, 12, 4)),  # wrist
        part(index),
        part(middle),
        part(rounded_box(64, 64, 26, 20, 12)),  # palm
        part(rounded_box(67, 52, 8, 11, 7)),  # ring finger, curled
        part(rounded_box(82, 55, 7, 10, 6)),  # little finger, curled
        part(capsule(42, 74, 70, 66, 8)),  # thumb over the curled fingers
    ]



def frame():
    outer = rounded_box(64, 48, 61, 45, 12)
    inner = rounded_box(64, 48, 56, 40, 9)
    return outer, inner


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def coverage(d, scale):
    """Anti-aliased inside-ness of a point at distance d (design units)."""
    return max(0.0, min(1.0, 0.5 - d * scale))


def render(sign, width, height):
    layers = {"rock": rock, "paper": paper, "scissors": scissors}[sign]()
    frame_colour = FRAMES[sign]
    outer, inner = frame()
    sx, sy = 128.0 / width, 96.0 / height
    scale = 1.0 / max(sx, sy)  # design units to pixels
    k, cx, cy = FIT[sign]
    hand_scale = scale * k
    rows = []
    for py in range(height):
        row = bytearray()
        for px in range(width):
            x, y = (px + 0.5) * sx, (py + 0.5) * sy
            # plate: black at the rim, a faint tint of the sign colour inside
            glow = max(0.0, 1.0 - math.hypot((x - 64) / 60, (y - 48) / 46))
            colour = mix((0, 0, 0), frame_colour, 0.22 * glow)
            a_out, a_in = coverage(outer(x, y), scale), coverage(inner(x, y), scale)
            colour = mix(colour, frame_colour, a_out - a_in)
            clip = a_in  # the arm comes in under the frame
            hx, hy = cx + (x - cx) / k, cy + (y - cy) / k
            for layer in layers:
                if layer[0] == "outline":
                    _, shape, keep = layer
                    d = shape(hx, hy)
                    if keep(hx, hy) < 1.5:
                        a = coverage(abs(d + 1.1) - 1.1, hand_scale) * clip
                        colour = mix(colour, INK, a)
                    continue
                shape, line = layer
                d = shape(hx, hy)
                a = coverage(d, hand_scale) * clip
                if a <= 0.0:
                    continue
                # light from the top left, darker toward the lower right of each part
                shade = max(0.0, min(1.0, (hx + hy - 40) / 150))
                skin = mix(SKIN, SKIN_SHADE, shade)
                body = coverage(d + line, hand_scale) if line > 0 else 1.0
                colour = mix(colour, mix(INK, skin, body), a)
            row += bytes(int(round(c)) for c in colour)
        rows.append(bytes(row))
    return rows


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in FRAMES:
        sys.exit("usage: hands.py rock|paper|scissors WIDTH HEIGHT > out.ppm")
    try:
        width, height = int(sys.argv[2]), int(sys.argv[3])
    except ValueError:
        sys.exit("hands.py: WIDTH and HEIGHT must be whole numbers")
    if not (8 <= width <= 2048 and 8 <= height <= 2048):
        sys.exit("hands.py: WIDTH and HEIGHT must be between 8 and 2048")
    out = sys.stdout.buffer
    out.write(b"P6\n%d %d\n255\n" % (width, height))
    for row in render(sys.argv[1], width, height):
        out.write(row)


if __name__ == "__main__":
    main()
