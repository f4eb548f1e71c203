"""The eighteen key poses of the robot, as joint angles and hand and foot targets.

Units are model units; +z faces the opponent, +x is the robot's own left.
The fighter stands orthodox: left foot and left fist lead.

A pose is a dictionary:
  pelvis        {"pos": (x, y, z), "rot": (yaw, pitch, roll)}, in the world
  waist, chest, neck, head
                (yaw, pitch, roll) of each joint against its parent
  arm_l, arm_r  "wrist": (x, y, z) to reach, or "point": a direction to throw the
                arm along with "extend" the fraction of its length (default nearly
                straight); "elbow": the direction the elbow juts out to; "hand":
                (yaw, pitch, roll) of the fist against the forearm; "frame":
                "chest" to give wrist, point and elbow in the chest's frame
  leg_l, leg_r  "foot": (x, z) of the ankle's spot on the ground, "yaw" of the
                foot, "heel": degrees the heel is raised about the ball; or, off
                the ground, "ankle": (x, y, z) and "rot": (yaw, pitch, roll) of
                the foot; "knee": the direction the knee juts out to
Angles are in degrees (see vecmath.euler for their senses).
"""

from vecmath import add, mat_vec, rot_y


def around(centre, yaw, offset):
    """A point given relative to the body turned by yaw, placed in the world."""
    return add(centre, mat_vec(rot_y(yaw), offset))


def facing(yaw, direction):
    """A direction given relative to a body turned by yaw, in the world."""
    return mat_vec(rot_y(yaw), direction)


def guard_arms():
    """Fists up before the chin, elbows down covering the ribs."""
    return {
        "arm_l": {"frame": "chest", "wrist": (0.55, 1.55, 1.5), "elbow": (0.1, -1.0, 0.3)},
        "arm_r": {"frame": "chest", "wrist": (-0.55, 1.75, 1.1), "elbow": (-0.1, -1.0, 0.3)},
    }


def stance(pelvis_y=-0.85, pelvis_z=-0.05, yaw=-20.0, pitch=5.0, rear_heel=8.0):
    """The guard: knees bent, left foot forward, body turned a little, fists up."""
    pose = {
        "pelvis": {"pos": (0.0, pelvis_y, pelvis_z), "rot": (yaw, pitch, 0.0)},
        "waist": (-4.0, 3.0, 0.0),
        "chest": (-4.0, 3.0, 0.0),
        "neck": (12.0, -4.0, 0.0),
        "head": (14.0, -4.0, 0.0),
        "leg_l": {"foot": (0.6, 1.05), "yaw": -10.0},
        "leg_r": {"foot": (-0.65, -1.05), "yaw": -35.0, "heel": rear_heel},
    }
    pose.update(guard_arms())
    return pose


def punch(step):
    """Right cross: the body turns in behind the rear fist, driving it straight out."""
    if step == 0:
        return stance()
    t = step / 4.0
    pose = stance(pelvis_y=-0.85 - 0.1 * t, pelvis_z=-0.05 + 0.35 * t, yaw=-20.0 + 45.0 * t,
                  pitch=5.0 + 9.0 * t, rear_heel=8.0 + 27.0 * t)
    pose["neck"] = (12.0 - 18.0 * t, -4.0 - 4.0 * t, 0.0)
    pose["head"] = (14.0 - 22.0 * t, -4.0 - 4.0 * t, 0.0)
    if step < 3:
        pose["arm_r"] = {"wrist": [(-0.35, 2.25, 1.8), (-0.25, 2.15, 2.6)][step - 1], "elbow": (-0.6, -1.0, -0.3)}
    else:
        pose["arm_r"] = {"point": (0.3, 0.2, 1.0), "extend": [0.9, 0.997][step - 3], "elbow": (-0.6, -1.0, -0.3)}
    return pose


def head_punch(step):
    """Lead uppercut: dip low to the left, then drive up through the legs to the chin."""
    table = [
        # pelvis y, pelvis z, yaw, pitch, roll, wrist, rear heel
        (-1.3, 0.0, -32.0, 15.0, -9.0, (0.6, 0.2, 1.8), 10.0),
        (-1.55, 0.1, -36.0, 18.0, -12.0, (0.5, -0.45, 2.0), 12.0),
        (-1.05, 0.25, -18.0, 6.0, -4.0, (0.4, 1.5, 2.3), 18.0),
        (-0.75, 0.4, -2.0, 0.0, 2.0, (0.35, 2.8, 2.4), 26.0),
        (-0.62, 0.5, 10.0, -6.0, 4.0, (0.3, 3.6, 2.6), 34.0),
    ][step - 1]
    pose = stance(pelvis_y=table[0], pelvis_z=table[1], yaw=table[2], pitch=table[3], rear_heel=table[6])
    pose["pelvis"]["rot"] = (table[2], table[3], table[4])
    pose["neck"] = (-table[2] * 0.4, -table[3] * 0.5, -table[4] * 0.5)
    pose["head"] = (-table[2] * 0.5, -table[3] * 0.5, -table[4] * 0.5)
    pose["arm_l"] = {"wrist": table[5], "elbow": (0.3, -1.0, -0.4)}
    # The rear fist keeps covering the chin while the body dips and rises.
    rear = [(-0.6, 1.8, 1.05), (-0.55, 1.6, 1.0), (-0.55, 2.0, 1.2), (-0.5, 2.3, 1.1), (-0.5, 2.45, 1.0)][step - 1]
    pose["arm_r"] = {"wrist": rear, "elbow": (-0.2, -1.0, 0.2)}
    return pose


def combo_prep(step):
    """Crouch, lean in and pull both fists back to the hips, elbows high behind, to charge."""
    t = step / 2.0
    yaw = -20.0 - 4.0 * t
    pitch = 5.0 + 22.0 * t
    pose = {
        "pelvis": {"pos": (0.0, -0.85 - 1.0 * t, -0.05 - 0.45 * t), "rot": (yaw, pitch, 0.0)},
        "waist": (-3.0, 2.0, 0.0),
        "chest": (-3.0, 2.0, 0.0),
        "neck": (-yaw * 0.4, -pitch * 0.5, 0.0),
        "head": (-yaw * 0.5, -pitch * 0.5, 0.0),
        "leg_l": {"foot": (0.6 + 0.2 * t, 1.05 + 0.45 * t), "yaw": -10.0 - 5.0 * t},
        "leg_r": {"foot": (-0.65 - 0.15 * t, -1.05 - 0.65 * t), "yaw": -35.0 + 5.0 * t},
    }
    for side, sx in (("l", 1.0), ("r", -1.0)):
        pose["arm_" + side] = {"frame": "chest", "wrist": (0.95 * sx, 0.8 - 0.8 * t, 0.5 - 0.85 * t),
                               "elbow": (0.3 * sx, 0.3 * t - 0.2, -1.0)}
    return pose


def banana(step):
    """Spinning double strike: jump and whirl round with both arms flung out like
    blades, landing side-on in a lunge that drives the right fist at the head.

    The game blends key poses in straight lines, so the spin is cut into steps
    of about 90 degrees for the body, the head and each knee: any larger and the
    blend between two key poses would flatten the pieces it turns.
    """
    arms = {
        "arm_l": {"frame": "chest", "point": (1.0, 0.0, -0.1), "elbow": (0.0, 0.0, -1.0)},
        "arm_r": {"frame": "chest", "point": (-1.0, 0.0, -0.1), "elbow": (0.0, 0.0, -1.0)},
    }
    if step == 1:
        # Unwinding out of the crouch, up on the ball of the lead foot, arms swinging out.
        arms = {
            "arm_l": {"frame": "chest", "point": (0.7, -0.8, -0.8), "elbow": (0.0, 0.0, -1.0)},
            "arm_r": {"frame": "chest", "point": (-0.8, -0.7, -0.2), "elbow": (0.0, 0.0, -1.0)},
        }
        yaw, pelvis = -120.0, (0.0, -1.25, 0.0)
        pose = {
            "pelvis": {"pos": pelvis, "rot": (yaw, 6.0, 0.0)},
            "leg_l": {"foot": (0.5, 0.9), "yaw": -95.0, "heel": 35.0},
            "leg_r": {"ankle": around(pelvis, yaw, (-0.7, -3.6, 0.7)), "rot": (-125.0, 15.0, 0.0),
                      "knee": facing(-125.0, (0.0, 0.2, 1.0))},
            "neck": (12.0, 0.0, 0.0),
            "head": (13.0, 0.0, 0.0),
        }
    elif step == 2:
        # In the air, knees tucked, back to the opponent.
        yaw, pelvis = -200.0, (0.0, -0.3, 0.4)
        pose = {
            "pelvis": {"pos": pelvis, "rot": (yaw, 8.0, 0.0)},
            "leg_l": {"ankle": around(pelvis, yaw, (0.55, -3.4, -0.5)), "rot": (-180.0, 25.0, 0.0),
                      "knee": facing(-180.0, (0.0, 0.4, 1.0))},
            "leg_r": {"ankle": around(pelvis, yaw, (-0.55, -3.1, -0.2)), "rot": (-205.0, 25.0, 0.0),
                      "knee": facing(-205.0, (0.0, 0.4, 1.0))},
            "neck": (0.0, 0.0, 0.0),
            "head": (0.0, 0.0, 0.0),
        }
    else:
        # Landed side-on, right leg leading: one fist at the head, the other flung back.
        yaw, pelvis = -270.0, (0.0, -1.55, -0.95)
        pose = {
            "pelvis": {"pos": pelvis, "rot": (yaw, 0.0, 8.0)},
            "leg_r": {"foot": (-0.1, 0.7), "yaw": 60.0},
            "leg_l": {"foot": (0.15, -3.25), "yaw": 90.0, "heel": 25.0},
            "neck": (-15.0, 0.0, 0.0),
            "head": (-15.0, 0.0, -8.0),
        }
        arms = {
            "arm_r": {"frame": "chest", "point": (-1.0, 0.45, 0.0), "elbow": (0.0, 0.0, -1.0)},
            "arm_l": {"frame": "chest", "point": (1.0, 0.0, 0.05), "elbow": (0.0, 0.0, -1.0)},
        }
    pose["waist"] = (0.0, 0.0, 0.0)
    pose["chest"] = (0.0, 0.0, 0.0)
    pose.update(arms)
    return pose


def ayuken(step):
    """Two-handed push: step through and drive both open hands out from the chest."""
    pelvis_y, pelvis_z, yaw, pitch, rear, heel = [
        (-1.7, -0.2, -25.0, 22.0, (-0.8, -1.8), 0.0),
        (-1.6, 0.1, -12.0, 20.0, (-0.75, -2.1), 15.0),
        (-1.55, 0.0, 0.0, 20.0, (-0.7, -2.9), 35.0),
    ][step - 1]
    wrist_y, wrist_z, elbow_y, bend = [(-0.3, 1.1, -0.3, -30.0), (0.8, 2.4, -1.0, -60.0), (1.3, 3.9, -1.0, -85.0)][step - 1]
    pose = {
        "pelvis": {"pos": (0.0, pelvis_y, pelvis_z), "rot": (yaw, pitch, 0.0)},
        "waist": (0.0, 3.0, 0.0),
        "chest": (0.0, 3.0, 0.0),
        "neck": (-yaw * 0.4, -pitch * 0.5, 0.0),
        "head": (-yaw * 0.5, -pitch * 0.5, 0.0),
        "leg_l": {"foot": (0.75, 1.5), "yaw": -10.0},
        "leg_r": {"foot": rear, "yaw": -40.0 + 25.0 * step / 3.0, "heel": heel},
    }
    for side, sx in (("l", 1.0), ("r", -1.0)):
        # Open hands bent back at the wrist: palms towards the opponent.
        if step < 3:
            arm = {"wrist": (0.32 * sx, wrist_y, wrist_z)}
        else:
            arm = {"point": (-0.3 * sx, 0.1, 1.0), "extend": 0.99}
        arm.update({"elbow": (0.4 * sx, elbow_y, -0.4 if step > 1 else -1.0), "hand": (0.0, bend, 0.0)})
        pose["arm_" + side] = arm
    return pose


def all_poses():
    """File name -> pose, in the order the files are listed."""
    poses = {"Punch%02d.txt" % i: punch(i) for i in range(5)}
    poses.update({"HeadPunch%02d.txt" % i: head_punch(i) for i in range(1, 6)})
    poses.update({"ComboPrep%02d.txt" % i: combo_prep(i) for i in range(1, 3)})
    poses.update({"Banana%02d.txt" % i: banana(i) for i in range(1, 4)})
    poses.update({"Ayuken%02d.txt" % i: ayuken(i) for i in range(1, 4)})
    return poses
