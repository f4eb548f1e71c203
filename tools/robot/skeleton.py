"""The robot's skeleton: joint offsets and the forward/inverse kinematics that place every bone."""

import math

from vecmath import (add, sub, scale, dot, cross, length, normalize,
                     mat_vec, mat_mul, from_columns, euler, rot_x, rot_y, rotation_between)

# Lengths in model units: the robot stands 10 units tall, soles at y = -6.
GROUND_Y = -6.0
PELVIS_REST = (0.0, -0.55, 0.0)
WAIST_OFFSET = (0.0, 0.35, 0.0)      # pelvis -> waist joint
CHEST_OFFSET = (0.0, 0.75, 0.0)      # waist -> chest joint
NECK_OFFSET = (0.0, 1.8, -0.05)      # chest -> neck joint
HEAD_OFFSET = (0.0, 0.4, 0.0)        # neck -> head joint
SHOULDER_OFFSET = (1.3, 1.5, 0.0)    # chest -> left shoulder (x mirrored for the right)
HIP_OFFSET = (0.6, -0.35, 0.0)       # pelvis -> left hip (x mirrored for the right)
UPPER_ARM = 1.6
FOREARM = 1.5
THIGH = 2.35
SHIN = 2.25
ANKLE_HEIGHT = 0.5                   # ankle joint above the sole
BALL = 0.65                          # ankle -> ball of the foot, forwards

SIDES = {"l": 1.0, "r": -1.0}        # +x is the robot's left

BONES = (["pelvis", "waist", "chest", "neck", "head"]
         + [b + "_" + s for s in "lr" for b in ("upper_arm", "forearm", "fist")]
         + [b + "_" + s for s in "lr" for b in ("thigh", "shin", "foot", "toes")])

# Slack allowed between a requested wrist or ankle and where the limb can reach.
REACH_TOLERANCE = 0.02


def mirror(v, sx):
    return (v[0] * sx, v[1], v[2])


def two_bone(root, target, len1, len2, pole):
    """Place the middle joint of a two-bone limb.

    Returns (middle joint, end point actually reached, bend direction) where
    the bend direction is the unit vector, perpendicular to the first bone and
    in the limb's plane, on the side towards which the middle joint juts.
    """
    span = sub(target, root)
    dist = length(span)
    if dist < 1e-9:
        raise ValueError("limb target sits on its root joint")
    u = scale(span, 1.0 / dist)
    dist = max(abs(len1 - len2) + 1e-3, min(len1 + len2, dist))
    w = sub(pole, scale(u, dot(pole, u)))
    if length(w) < 1e-6:
        raise ValueError("limb pole %r is parallel to the limb" % (pole,))
    w = normalize(w)
    cos_a = (len1 * len1 + dist * dist - len2 * len2) / (2.0 * len1 * dist)
    a = math.acos(max(-1.0, min(1.0, cos_a)))
    middle = add(root, scale(add(scale(u, math.cos(a)), scale(w, math.sin(a))), len1))
    end = add(root, scale(u, dist))
    jut = sub(scale(w, math.cos(a)), scale(u, math.sin(a)))
    return middle, end, jut


def bone_frame(down, front):
    """Frame of a limb bone that runs along its local -y, its local +z given."""
    y = scale(down, -1.0)
    return from_columns(cross(y, front), y, front)


class Skeleton:
    """World placement (origin, rotation) of every bone for one pose."""

    def __init__(self, pose):
        self.frames = {}
        self.warnings = []
        self._spine(pose)
        for side in "lr":
            self._arm(side, pose["arm_" + side])
            self._leg(side, pose["leg_" + side])
        missing = [b for b in BONES if b not in self.frames]
        if missing:
            raise ValueError("bones left unplaced: %s" % ", ".join(missing))

    def _child(self, parent, offset, angles):
        origin, rot = self.frames[parent]
        return add(origin, mat_vec(rot, offset)), mat_mul(rot, euler(angles))

    def _spine(self, pose):
        pelvis = pose.get("pelvis", {})
        self.frames["pelvis"] = (pelvis.get("pos", PELVIS_REST),
                                 euler(pelvis.get("rot", (0.0, 0.0, 0.0))))
        zero = (0.0, 0.0, 0.0)
        self.frames["waist"] = self._child("pelvis", WAIST_OFFSET, pose.get("waist", zero))
        self.frames["chest"] = self._child("waist", CHEST_OFFSET, pose.get("chest", zero))
        self.frames["neck"] = self._child("chest", NECK_OFFSET, pose.get("neck", zero))
        self.frames["head"] = self._child("neck", HEAD_OFFSET, pose.get("head", zero))

    def _reach(self, what, wanted, got):
        miss = length(sub(wanted, got))
        if miss > REACH_TOLERANCE:
            self.warnings.append("%s falls %.3f short of its target" % (what, miss))

    def _arm(self, side, arm):
        sx = SIDES[side]
        chest_origin, chest_rot = self.frames["chest"]
        shoulder = add(chest_origin, mat_vec(chest_rot, mirror(SHOULDER_OFFSET, sx)))
        frame = arm.get("frame", "world")
        if frame not in ("world", "chest"):
            raise ValueError("arm %s: unknown frame %r" % (side, frame))
        # Chest-relative targets move with the chest: a guard stays a guard when the body turns.
        turn = (lambda v: mat_vec(chest_rot, v)) if frame == "chest" else (lambda v: v)
        pole = turn(arm.get("elbow", (0.3 * sx, -1.0, -0.6)))
        if "point" in arm:
            # An arm thrown out along a direction; at full extension the elbow is just unlocked.
            reach = arm.get("extend", 0.997) * (UPPER_ARM + FOREARM)
            target = add(shoulder, scale(normalize(turn(arm["point"])), reach))
        elif frame == "chest":
            target = add(chest_origin, turn(arm["wrist"]))
        else:
            target = arm["wrist"]
        elbow, wrist, jut = two_bone(shoulder, target, UPPER_ARM, FOREARM, pole)
        self._reach("wrist " + side, target, wrist)
        # The forearm folds away from the point of the elbow.
        upper_down = normalize(sub(elbow, shoulder))
        upper = bone_frame(upper_down, scale(jut, -1.0))
        fore = mat_mul(rotation_between(upper_down, normalize(sub(wrist, elbow))), upper)
        self.frames["upper_arm_" + side] = (shoulder, upper)
        self.frames["forearm_" + side] = (elbow, fore)
        self.frames["fist_" + side] = (wrist, mat_mul(fore, euler(arm.get("hand", (0.0, 0.0, 0.0)))))

    def _foot(self, side, leg):
        """Ankle and foot frame, and the frame of the toes."""
        if "ankle" in leg:
            rot = euler(leg.get("rot", (0.0, 0.0, 0.0)))
            ankle = leg["ankle"]
            return ankle, rot, add(ankle, mat_vec(rot, (0.0, -ANKLE_HEIGHT, BALL))), rot
        x, z = leg["foot"]
        yaw = rot_y(leg.get("yaw", 0.0))
        # A raised heel pivots the foot about the ball, which stays on the ground.
        rot = mat_mul(yaw, rot_x(leg.get("heel", 0.0)))
        ball = add((x, GROUND_Y, z), mat_vec(yaw, (0.0, 0.0, BALL)))
        ankle = sub(ball, mat_vec(rot, (0.0, -ANKLE_HEIGHT, BALL)))
        return ankle, rot, ball, yaw

    def _leg(self, side, leg):
        sx = SIDES[side]
        pelvis_origin, pelvis_rot = self.frames["pelvis"]
        hip = add(pelvis_origin, mat_vec(pelvis_rot, mirror(HIP_OFFSET, sx)))
        ankle, foot_rot, ball, toes_rot = self._foot(side, leg)
        default_pole = add(mat_vec(foot_rot, (0.0, 0.0, 1.0)), (0.25 * sx, 0.0, 0.0))
        knee, reached, jut = two_bone(hip, ankle, THIGH, SHIN, leg.get("knee", default_pole))
        self._reach("ankle " + side, ankle, reached)
        thigh_down = normalize(sub(knee, hip))
        thigh = bone_frame(thigh_down, jut)
        shin = mat_mul(rotation_between(thigh_down, normalize(sub(reached, knee))), thigh)
        self.frames["thigh_" + side] = (hip, thigh)
        self.frames["shin_" + side] = (knee, shin)
        self.frames["foot_" + side] = (reached, foot_rot)
        self.frames["toes_" + side] = (add(ball, sub(reached, ankle)), toes_rot)

    def place(self, bone, point):
        origin, rot = self.frames[bone]
        return add(origin, mat_vec(rot, point))

    def turn(self, bone, normal):
        return mat_vec(self.frames[bone][1], normal)


def rest_pose():
    """Standing straight, arms hanging: the pose in which the pieces are modelled."""
    pose = {"pelvis": {"pos": PELVIS_REST}}
    for side, sx in SIDES.items():
        shoulder_y = PELVIS_REST[1] + WAIST_OFFSET[1] + CHEST_OFFSET[1] + SHOULDER_OFFSET[1]
        pose["arm_" + side] = {"wrist": (SHOULDER_OFFSET[0] * sx, shoulder_y - UPPER_ARM - FOREARM + 0.01, 0.0),
                               "elbow": (0.0, 0.0, -1.0)}
        pose["leg_" + side] = {"foot": (HIP_OFFSET[0] * sx, 0.0), "knee": (0.0, 0.0, 1.0)}
    return pose
