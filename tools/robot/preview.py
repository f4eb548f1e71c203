"""Flat-shaded, z-buffered orthographic pictures of poses, for checking them by eye."""

import os
import shutil
import subprocess

from vecmath import dot, normalize

PIXELS_PER_UNIT = 30
BACKGROUND = (24, 26, 34)
GRID = (44, 48, 60)
GROUND = (120, 110, 80)
ROBOT = (150, 170, 230)
OPPONENT = (200, 110, 100)

# Each view: screen right, screen up, towards the viewer, horizontal range, light.
# The side view is the game's view of player 1: the robot's front (+z) points right.
VIEWS = {
    "side": ((0.0, 0.0, 1.0), (0.0, 1.0, 0.0), (-1.0, 0.0, 0.0), (-5.0, 8.0), (-0.6, 0.6, 0.5)),
    "front": ((1.0, 0.0, 0.0), (0.0, 1.0, 0.0), (0.0, 0.0, 1.0), (-4.5, 4.5), (0.4, 0.6, 0.7)),
    "top": ((0.0, 0.0, 1.0), (1.0, 0.0, 0.0), (0.0, 1.0, 0.0), (-5.0, 8.0), (-0.3, 0.9, 0.3)),
}
VERTICAL = {"side": (-6.8, 4.8), "front": (-6.8, 4.8), "top": (-3.5, 3.5)}


class Picture:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[BACKGROUND] * width for _ in range(height)]
        self.depth = [[float("inf")] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def ppm(self):
        head = "P6\n%d %d\n255\n" % (self.width, self.height)
        body = bytearray()
        for row in self.pixels:
            for r, g, b in row:
                body += bytes((r, g, b))
        return head.encode("ascii") + bytes(body)


def shade(colour, normal, light):
    lit = 0.3 + 0.7 * max(0.0, dot(normal, light))
    return tuple(min(255, int(c * lit)) for c in colour)


def fill_triangle(pic, pts, colour):
    """pts: three (x, y, depth) in pixels; smaller depth is nearer."""
    (x0, y0, d0), (x1, y1, d1), (x2, y2, d2) = pts
    area = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0)
    if abs(area) < 1e-9:
        return
    xmin, xmax = max(0, int(min(x0, x1, x2))), min(pic.width - 1, int(max(x0, x1, x2)) + 1)
    ymin, ymax = max(0, int(min(y0, y1, y2))), min(pic.height - 1, int(max(y0, y1, y2)) + 1)
    for y in range(ymin, ymax + 1):
        py = y + 0.5
        row, zrow = pic.pixels[y], pic.depth[y]
        for x in range(xmin, xmax + 1):
            px = x + 0.5
            w0 = ((x1 - px) * (y2 - py) - (x2 - px) * (y1 - py)) / area
            w1 = ((x2 - px) * (y0 - py) - (x0 - px) * (y2 - py)) / area
            w2 = 1.0 - w0 - w1
            if w0 < 0.0 or w1 < 0.0 or w2 < 0.0:
                continue
            d = w0 * d0 + w1 * d1 + w2 * d2
            if d < zrow[x]:
                zrow[x] = d
                row[x] = colour


def draw_grid(pic, view, hrange, vrange):
    for unit in range(int(hrange[0]), int(hrange[1]) + 1):
        x = int((unit - hrange[0]) * PIXELS_PER_UNIT)
        for y in range(pic.height):
            pic.put(x, y, GROUND if unit == 0 else GRID)
    for unit in range(int(vrange[0]), int(vrange[1]) + 1):
        y = int((vrange[1] - unit) * PIXELS_PER_UNIT)
        ground = view != "top" and unit == -6
        for x in range(pic.width):
            pic.put(x, y, GROUND if ground else GRID)


def render(view, meshes):
    """meshes: list of (vertices, normals, faces, colour)."""
    right, up, towards, hrange, light = VIEWS[view]
    vrange = VERTICAL[view]
    light = normalize(light)
    pic = Picture(int((hrange[1] - hrange[0]) * PIXELS_PER_UNIT),
                  int((vrange[1] - vrange[0]) * PIXELS_PER_UNIT))
    draw_grid(pic, view, hrange, vrange)
    for vertices, normals, faces, colour in meshes:
        screen = [((dot(v, right) - hrange[0]) * PIXELS_PER_UNIT,
                   (vrange[1] - dot(v, up)) * PIXELS_PER_UNIT,
                   -dot(v, towards)) for v in vertices]
        for a, b, c in faces:
            fill_triangle(pic, (screen[a - 1], screen[b - 1], screen[c - 1]),
                          shade(colour, normals[a - 1], light))
    return pic


def side_by_side(pictures, gap=6):
    width = sum(p.width for p in pictures) + gap * (len(pictures) - 1)
    height = max(p.height for p in pictures)
    sheet = Picture(width, height)
    x0 = 0
    for p in pictures:
        for y in range(p.height):
            sheet.pixels[y][x0:x0 + p.width] = p.pixels[y]
        x0 += p.width + gap
    return sheet


def save(picture, path_without_ext):
    """Writes a PNG when ImageMagick is at hand, a PPM otherwise; returns the path."""
    ppm = path_without_ext + ".ppm"
    with open(ppm, "wb") as out:
        out.write(picture.ppm())
    convert = shutil.which("convert")
    if convert:
        png = path_without_ext + ".png"
        subprocess.run([convert, ppm, png], check=True)
        os.remove(ppm)
        return png
    return ppm
