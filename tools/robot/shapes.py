"""Armour pieces of the robot: boxes, bevelled boxes and short cylinders as extruded sections."""

import math

from vecmath import add, scale, sub, dot, normalize

# Extrusion axis -> (section axis a, section axis b, extrusion axis e).
AXES = {
    "x": ((0.0, 1.0, 0.0), (0.0, 0.0, 1.0), (1.0, 0.0, 0.0)),
    "y": ((1.0, 0.0, 0.0), (0.0, 0.0, 1.0), (0.0, 1.0, 0.0)),
    "z": ((1.0, 0.0, 0.0), (0.0, 1.0, 0.0), (0.0, 0.0, 1.0)),
}


class Face:
    """One flat face: its own corner points, one outward normal, its triangles."""

    def __init__(self, points, normal):
        self.points = points
        self.normal = normal
        # A fan is enough: every face of a piece is convex.
        self.triangles = [(0, i, i + 1) for i in range(1, len(points) - 1)]


class Piece:
    """A rigid piece of armour fixed to one bone, in that bone's frame."""

    def __init__(self, bone, faces):
        self.bone = bone
        self.faces = faces

    def vertex_count(self):
        return sum(len(f.points) for f in self.faces)


def section(kind, ha, hb, bevel, sides):
    if ha <= 0.0 or hb <= 0.0:
        raise ValueError("section half sizes must be positive, got %r x %r" % (ha, hb))
    if kind == "box":
        return [(ha, hb), (-ha, hb), (-ha, -hb), (ha, -hb)]
    if kind == "bevel":
        k = bevel * min(ha, hb)
        return [(ha, hb - k), (ha - k, hb), (-ha + k, hb), (-ha, hb - k),
                (-ha, -hb + k), (-ha + k, -hb), (ha - k, -hb), (ha, -hb + k)]
    if kind == "round":
        # Turned by half a step so that flat sides face the section axes.
        step = 2.0 * math.pi / sides
        return [(ha * math.cos(step * (i + 0.5)), hb * math.sin(step * (i + 0.5)))
                for i in range(sides)]
    raise ValueError("unknown section kind %r" % kind)


def newell_normal(points):
    n = (0.0, 0.0, 0.0)
    for i, p in enumerate(points):
        q = points[(i + 1) % len(points)]
        n = add(n, ((p[1] - q[1]) * (p[2] + q[2]),
                    (p[2] - q[2]) * (p[0] + q[0]),
                    (p[0] - q[0]) * (p[1] + q[1])))
    return normalize(n)


def centroid(points):
    s = (0.0, 0.0, 0.0)
    for p in points:
        s = add(s, p)
    return scale(s, 1.0 / len(points))


def outward_face(points, inside):
    """A face whose corners run counter-clockwise seen from outside."""
    normal = newell_normal(points)
    if dot(normal, sub(centroid(points), inside)) < 0.0:
        points = list(reversed(points))
        normal = scale(normal, -1.0)
    return Face(points, normal)


def prism(bone, center, axis, lo, hi, size_lo, size_hi=None, kind="box",
          bevel=0.35, sides=8, shift=(0.0, 0.0)):
    """A section extruded along a bone axis from lo to hi.

    size_lo and size_hi are the half sizes (a, b) of the section at each end
    (a tapered piece when they differ); shift moves the far section sideways
    in (a, b), for sloped pieces.
    """
    if hi <= lo:
        raise ValueError("piece on %s: extrusion end %r not beyond start %r" % (bone, hi, lo))
    size_hi = size_hi or size_lo
    a, b, e = AXES[axis]

    def ring(at, size, offset):
        pts = section(kind, size[0], size[1], bevel, sides)
        return [add(center, add(scale(e, at), add(scale(a, u + offset[0]), scale(b, v + offset[1]))))
                for u, v in pts]

    near = ring(lo, size_lo, (0.0, 0.0))
    far = ring(hi, size_hi, shift)
    inside = centroid(near + far)
    n = len(near)
    faces = [outward_face([near[i], near[(i + 1) % n], far[(i + 1) % n], far[i]], inside)
             for i in range(n)]
    faces.append(outward_face(near, inside))
    faces.append(outward_face(far, inside))
    return Piece(bone, faces)


def box(bone, lo, hi, bevel=None):
    """An axis-aligned box between two corners; bevel > 0 chamfers its y edges."""
    center = ((lo[0] + hi[0]) / 2.0, 0.0, (lo[2] + hi[2]) / 2.0)
    half = ((hi[0] - lo[0]) / 2.0, (hi[2] - lo[2]) / 2.0)
    if bevel:
        return prism(bone, center, "y", lo[1], hi[1], half, kind="bevel", bevel=bevel)
    return prism(bone, center, "y", lo[1], hi[1], half)

