"""The robot's armour: every piece, in the frame of the bone that carries it."""

from shapes import prism, box
from skeleton import SIDES


def torso():
    return [
        # Pelvis: a block narrowing towards the legs, a belt, a front guard.
        prism("pelvis", (0.0, 0.0, 0.0), "y", -0.55, 0.15, (0.55, 0.46), (0.78, 0.55), kind="bevel"),
        prism("pelvis", (0.0, 0.0, 0.0), "y", 0.1, 0.32, (0.82, 0.6), kind="bevel"),
        prism("pelvis", (0.0, 0.0, 0.52), "y", -0.62, -0.05, (0.16, 0.09), (0.28, 0.1)),
        # Waist: a narrow drum with a belly plate, so the chest reads wider.
        prism("waist", (0.0, 0.0, 0.0), "y", -0.05, 0.8, (0.5, 0.45), kind="round", sides=8),
        box("waist", (-0.32, 0.1, 0.34), (0.32, 0.62, 0.53)),
        # Chest: a barrel widening to the shoulders, leaning its top forward.
        prism("chest", (0.0, 0.0, 0.0), "y", -0.05, 1.7, (0.78, 0.6), (1.15, 0.76),
              kind="bevel", shift=(0.0, 0.1)),
        box("chest", (-0.86, 0.85, 0.68), (-0.08, 1.58, 0.96)),
        box("chest", (0.08, 0.85, 0.68), (0.86, 1.58, 0.96)),
        prism("chest", (0.0, 0.45, 0.0), "z", 0.58, 0.78, (0.2, 0.2), kind="round", sides=8),
        # A power pack on the back with two thrusters under it.
        box("chest", (-0.62, 0.35, -1.2), (0.62, 1.55, -0.58), bevel=0.3),
        prism("chest", (-0.34, 0.0, -0.9), "y", 0.0, 0.4, (0.15, 0.15), (0.21, 0.21),
              kind="round", sides=6),
        prism("chest", (0.34, 0.0, -0.9), "y", 0.0, 0.4, (0.15, 0.15), (0.21, 0.21),
              kind="round", sides=6),
        prism("chest", (0.0, 0.0, 0.0), "y", 1.62, 1.86, (0.55, 0.5), kind="bevel"),
        prism("neck", (0.0, 0.0, 0.0), "y", -0.05, 0.45, (0.24, 0.24), kind="round", sides=6),
    ]


def head():
    pieces = [
        prism("head", (0.0, 0.0, 0.02), "y", 0.0, 1.05, (0.48, 0.58), (0.54, 0.62), kind="bevel", bevel=0.4),
        # The visor stands just proud of the face: the robot's eyes.
        box("head", (-0.46, 0.52, 0.58), (0.46, 0.8, 0.72)),
        box("head", (-0.3, 0.08, 0.45), (0.3, 0.36, 0.68)),
        # A crest from brow to nape gives the head a profile from the side.
        box("head", (-0.06, 1.0, -0.55), (0.06, 1.3, 0.35)),
    ]
    for sx in (1.0, -1.0):
        lo, hi = sorted((0.46 * sx, 0.63 * sx))
        pieces.append(prism("head", (0.0, 0.55, -0.02), "x", lo, hi, (0.24, 0.24), kind="round", sides=6))
        pieces.append(prism("head", (0.56 * sx, 0.0, -0.05), "y", 0.7, 1.5, (0.04, 0.04),
                            shift=(0.0, -0.25)))
    return pieces


def arm(side):
    sx = SIDES[side]
    upper, fore, fist = "upper_arm_" + side, "forearm_" + side, "fist_" + side
    return [
        prism(upper, (0.0, 0.0, 0.0), "x", -0.3, 0.3, (0.36, 0.36), kind="round", sides=6),
        prism(upper, (0.14 * sx, 0.0, 0.0), "y", -0.38, 0.46, (0.46, 0.58), (0.38, 0.5), kind="bevel"),
        box(upper, (-0.28, -1.45, -0.3), (0.28, -0.25, 0.3)),
        prism(fore, (0.0, 0.0, 0.0), "x", -0.27, 0.27, (0.28, 0.28), kind="round", sides=6),
        # Forearms flare into heavy gauntlets.
        prism(fore, (0.0, 0.0, 0.0), "y", -1.35, -0.15, (0.38, 0.4), (0.28, 0.3), kind="bevel"),
        box(fore, (-0.41, -1.5, -0.43), (0.41, -1.3, 0.43)),
        prism(fist, (0.0, 0.0, 0.0), "y", -0.66, -0.02, (0.31, 0.34), kind="bevel", bevel=0.3),
        # The thumb sits on the inner side of the fist.
        box(fist, (min(-0.25 * sx, -0.43 * sx), -0.46, 0.02), (max(-0.25 * sx, -0.43 * sx), -0.14, 0.28)),
    ]


def leg(side):
    thigh, shin, foot, toes = ("thigh_" + side, "shin_" + side, "foot_" + side, "toes_" + side)
    return [
        prism(thigh, (0.0, 0.0, 0.0), "x", -0.3, 0.3, (0.36, 0.36), kind="round", sides=6),
        prism(thigh, (0.0, 0.0, 0.0), "y", -2.15, -0.2, (0.36, 0.4), (0.46, 0.5), kind="bevel"),
        box(thigh, (-0.32, -1.6, 0.4), (0.32, -0.5, 0.56)),
        prism(shin, (0.0, 0.0, 0.0), "x", -0.32, 0.32, (0.35, 0.35), kind="round", sides=6),
        box(shin, (-0.26, -0.38, 0.22), (0.26, 0.28, 0.52), bevel=0.3),
        # Shins widen into boots.
        prism(shin, (0.0, 0.0, 0.0), "y", -2.05, -0.2, (0.42, 0.46), (0.34, 0.37), kind="bevel"),
        box(shin, (-0.24, -1.6, 0.36), (0.24, -0.45, 0.51)),
        prism(foot, (0.0, 0.0, 0.0), "x", -0.25, 0.25, (0.24, 0.24), kind="round", sides=6),
        # The sole stays flat at the ankle's height below the joint; the toes hinge at the ball.
        prism(foot, (0.0, -0.28, 0.0), "z", -0.58, 0.65, (0.4, 0.22), (0.4, 0.14), shift=(0.0, -0.08)),
        prism(toes, (0.0, 0.13, 0.0), "z", 0.0, 0.48, (0.4, 0.13), (0.36, 0.09), shift=(0.0, -0.04)),
    ]


def robot_pieces():
    """All pieces in their fixed order: the order of the vertices in every pose."""
    pieces = torso() + head()
    for side in "lr":
        pieces += arm(side) + leg(side)
    return pieces
