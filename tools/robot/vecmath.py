"""Small 3D vector and rotation-matrix helpers for the robot generator."""

import math


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1],
            a[2] * b[0] - a[0] * b[2],
            a[0] * b[1] - a[1] * b[0])


def length(a):
    return math.sqrt(dot(a, a))


def normalize(a):
    n = length(a)
    if n < 1e-12:
        raise ValueError("cannot normalise a zero-length vector")
    return scale(a, 1.0 / n)


def lerp(a, b, t):
    return add(scale(a, 1.0 - t), scale(b, t))


# Matrices are tuples of three rows; they act on column vectors.

IDENTITY = ((1.0, 0.0, 0.0), (0.0, 1.0, 0.0), (0.0, 0.0, 1.0))


def mat_vec(m, v):
    return (dot(m[0], v), dot(m[1], v), dot(m[2], v))


def transpose(m):
    return tuple(tuple(m[r][c] for r in range(3)) for c in range(3))


def mat_mul(a, b):
    bt = transpose(b)
    return tuple(tuple(dot(a[r], bt[c]) for c in range(3)) for r in range(3))


def from_columns(x, y, z):
    return ((x[0], y[0], z[0]), (x[1], y[1], z[1]), (x[2], y[2], z[2]))


def column(m, c):
    return (m[0][c], m[1][c], m[2][c])


def rot_x(deg):
    c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))
    return ((1.0, 0.0, 0.0), (0.0, c, -s), (0.0, s, c))


def rot_y(deg):
    c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))
    return ((c, 0.0, s), (0.0, 1.0, 0.0), (-s, 0.0, c))


def rot_z(deg):
    c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))
    return ((c, -s, 0.0), (s, c, 0.0), (0.0, 0.0, 1.0))


def euler(angles):
    """Yaw about y, then pitch about x, then roll about z, in degrees.

    Positive yaw turns +z towards +x (the robot's left), positive pitch tips
    the top forward, positive roll tips the top towards -x (the robot's right).
    """
    yaw, pitch, roll = angles
    return mat_mul(rot_y(yaw), mat_mul(rot_x(pitch), rot_z(roll)))


def axis_angle(axis, rad):
    x, y, z = normalize(axis)
    c, s = math.cos(rad), math.sin(rad)
    t = 1.0 - c
    return ((t * x * x + c, t * x * y - s * z, t * x * z + s * y),
            (t * x * y + s * z, t * y * y + c, t * y * z - s * x),
            (t * x * z - s * y, t * y * z + s * x, t * z * z + c))


def rotation_between(a, b):
    """The smallest rotation taking unit vector a onto unit vector b."""
    axis = cross(a, b)
    s = length(axis)
    c = max(-1.0, min(1.0, dot(a, b)))
    if s < 1e-9:
        if c > 0.0:
            return IDENTITY
        raise ValueError("opposite directions have no unique smallest rotation")
    return axis_angle(axis, math.atan2(s, c))
