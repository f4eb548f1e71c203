"""Tests of the robot generator: file rules, mesh soundness, kinematics and the poses' intent.

Run: python3 -m unittest discover -s tools/robot
"""

import os
import unittest

from body import robot_pieces
from make_robot import build, check_files, DEFAULT_OUT
from mesh import pose_mesh
from motionfile import check_motion, motion_text, read_motion
from poses import all_poses
from skeleton import (Skeleton, two_bone, rest_pose, UPPER_ARM, FOREARM, THIGH, SHIN, GROUND_Y)
from vecmath import add, cross, dot, length, scale, sub, transpose, mat_mul, mat_vec, column

# The key-pose chains the game plays (adjacent poses are blended).
MOVE_CHAINS = [
    ["Punch00", "Punch01", "Punch02", "Punch03", "Punch04"],
    ["Punch00", "HeadPunch01", "HeadPunch02", "HeadPunch03", "HeadPunch04", "HeadPunch05"],
    ["Punch00", "ComboPrep01", "ComboPrep02"],
    ["ComboPrep02", "Banana01", "Banana02", "Banana03"],
    ["ComboPrep02", "Ayuken01", "Ayuken02", "Ayuken03"],
]
AIRBORNE = {"Banana02.txt"}

FILES, UNREACHABLE = build()
PIECES = robot_pieces()


def sum_points(points):
    total = (0.0, 0.0, 0.0)
    for p in points:
        total = add(total, p)
    return total


def mesh(name):
    return FILES[name + ".txt"][1]


class MotionFileRules(unittest.TestCase):
    def test_every_file_meets_the_reader_rules(self):
        self.assertEqual(UNREACHABLE, [])
        self.assertEqual(len(FILES), 18)
        for name, (text, _) in FILES.items():
            self.assertEqual(check_motion(text), [], name)

    def test_all_files_share_one_layout(self):
        layouts = set()
        for text, _ in FILES.values():
            vertices, pairs, normals, faces = read_motion(text)
            self.assertEqual(len(normals), len(vertices))
            layouts.add((len(vertices), tuple(faces)))
        self.assertEqual(len(layouts), 1)

    def test_generation_is_repeatable(self):
        again, _ = build()
        for name in FILES:
            self.assertEqual(FILES[name][0], again[name][0], name)

    def test_committed_files_are_the_generated_ones(self):
        if not all(os.path.exists(os.path.join(DEFAULT_OUT, n)) for n in FILES):
            self.skipTest("motion files not generated yet")
        problems, _ = check_files(DEFAULT_OUT, list(FILES))
        self.assertEqual(problems, [])
        for name, (text, _) in FILES.items():
            with open(os.path.join(DEFAULT_OUT, name), encoding="ascii") as f:
                self.assertEqual(f.read(), text, "%s is stale: run tools/make_robot.sh" % name)

    def test_checker_catches_broken_files(self):
        good = motion_text([(0, 0, 0), (1, 0, 0), (0, 1, 0)], [(0, 0, 1)] * 3, [(1, 2, 3)])
        self.assertEqual(check_motion(good), [])
        self.assertEqual(read_motion(good)[3], [(1, 1, 1, 2, 1, 2, 3, 1, 3)])
        broken = {
            "comment": "# robot\n" + good,
            "quad": good.replace("f 1/1/1 2/1/2 3/1/3", "f 1/1/1 2/1/2 3/1/3 1/1/1"),
            "no vt index": good.replace("f 1/1/1", "f 1//1"),
            "index past the end": good.replace("3/1/3", "4/1/4"),
            "normal not the vertex's": good.replace("3/1/3", "3/1/2"),
            "no group line": good.replace("g robot\n", ""),
            "fourth coordinate": good.replace("v 1.0000 0.0000 0.0000", "v 1.0000 0.0000 0.0000 1.0000"),
            "missing normal": good.replace("vn 0.0000 0.0000 1.0000\n", "", 1),
            "exponent": good.replace("v 1.0000", "v 1e0"),
        }
        for what, text in broken.items():
            self.assertNotEqual(check_motion(text), [], what)
        with self.assertRaises(ValueError):
            motion_text([(0, 0, 0)], [], [])


class MeshSoundness(unittest.TestCase):
    def test_normals_are_unit_and_face_outward(self):
        for name, (_, m) in FILES.items():
            for n in m.normals:
                self.assertAlmostEqual(length(n), 1.0, places=9)
            # Triangles wind counter-clockwise about their normal...
            for a, b, c in m.faces:
                p, q, r = m.vertices[a - 1], m.vertices[b - 1], m.vertices[c - 1]
                turn = cross(sub(q, p), sub(r, p))
                self.assertGreater(dot(turn, m.normals[a - 1]), 0.0, "%s face %d %d %d" % (name, a, b, c))
            # ...and normals point out of the piece they belong to.
            start = 0
            for piece in PIECES:
                count = piece.vertex_count()
                inside = scale(sum_points(m.vertices[start:start + count]), 1.0 / count)
                for face in piece.faces:
                    n = len(face.points)
                    centre = scale(sum_points(m.vertices[start:start + n]), 1.0 / n)
                    self.assertGreater(dot(m.normals[start], sub(centre, inside)), 0.0, name)
                    start += n

    def test_pieces_stay_rigid(self):
        rest = pose_mesh(PIECES, rest_pose())
        for name, (_, m) in FILES.items():
            start = 0
            for piece in PIECES:
                count = piece.vertex_count()
                for i in range(start, start + count, 5):
                    j = start + (i * 7 + 3) % count
                    self.assertAlmostEqual(length(sub(m.vertices[i], m.vertices[j])),
                                           length(sub(rest.vertices[i], rest.vertices[j])), places=9, msg=name)
                start += count

    def test_bone_frames_are_rotations(self):
        for name, pose in all_poses().items():
            for bone, (_, rot) in Skeleton(pose).frames.items():
                product = mat_mul(rot, transpose(rot))
                for r in range(3):
                    for c in range(3):
                        self.assertAlmostEqual(product[r][c], 1.0 if r == c else 0.0, places=9)
                x, y, z = column(rot, 0), column(rot, 1), column(rot, 2)
                self.assertGreater(dot(cross(x, y), z), 0.0, "%s %s is mirrored" % (name, bone))

    def test_blended_key_poses_keep_their_faces(self):
        # The game blends normals without renormalising: a face turning by more
        # than about 125 degrees between two key poses would go dark or collapse.
        for chain in MOVE_CHAINS:
            for a, b in zip(chain, chain[1:]):
                worst = min(dot(p, q) for p, q in zip(mesh(a).normals, mesh(b).normals))
                self.assertGreater(worst, -0.6, "%s -> %s" % (a, b))


class Kinematics(unittest.TestCase):
    def test_limbs_keep_their_lengths(self):
        for name, pose in all_poses().items():
            f = Skeleton(pose).frames
            for s in "lr":
                pairs = [("upper_arm", "forearm", UPPER_ARM), ("forearm", "fist", FOREARM),
                         ("thigh", "shin", THIGH), ("shin", "foot", SHIN)]
                for a, b, size in pairs:
                    self.assertAlmostEqual(length(sub(f[b + "_" + s][0], f[a + "_" + s][0])), size,
                                           places=9, msg="%s %s_%s" % (name, a, s))

    def test_two_bone_reaches_or_stretches_towards_target(self):
        middle, end, jut = two_bone((0, 0, 0), (0, -2.0, 1.0), 1.6, 1.5, (0, 0, 1))
        self.assertAlmostEqual(length(sub(end, (0, -2.0, 1.0))), 0.0, places=9)
        self.assertGreater(middle[2], 0.5)               # the joint juts towards the pole
        _, end, _ = two_bone((0, 0, 0), (0, 0, 10.0), 1.6, 1.5, (0, -1, 0))
        self.assertAlmostEqual(end[2], 3.1, places=9)    # too far: the limb is straight
        with self.assertRaises(ValueError):
            two_bone((0, 0, 0), (0, 0, 2.0), 1.6, 1.5, (0, 0, 1))

    def test_bad_poses_are_refused(self):
        pose = all_poses()["Punch00.txt"]
        pose["arm_l"] = dict(pose["arm_l"], frame="hip")
        with self.assertRaises(ValueError):
            Skeleton(pose)
        pose = all_poses()["Punch00.txt"]
        del pose["leg_r"]
        with self.assertRaises(KeyError):
            Skeleton(pose)


class PoseIntent(unittest.TestCase):
    def top(self, name, bone):
        return Skeleton(all_poses()[name + ".txt"]).frames[bone][0]

    def test_standing_feet_are_on_the_ground(self):
        for name, (_, m) in FILES.items():
            lowest = min(v[1] for v in m.vertices)
            if name in AIRBORNE:
                self.assertGreater(lowest, GROUND_Y + 1.0, name)
            else:
                self.assertAlmostEqual(lowest, GROUND_Y, places=6, msg=name)

    def test_size_and_place_at_rest(self):
        rest = pose_mesh(PIECES, rest_pose())
        height = max(v[1] for v in rest.vertices) - min(v[1] for v in rest.vertices)
        self.assertTrue(9.5 < height < 10.5, height)
        self.assertLessEqual(max(abs(v[0]) for v in rest.vertices), 2.0)
        centre = [sum(v[i] for v in rest.vertices) / len(rest.vertices) for i in (0, 2)]
        self.assertAlmostEqual(centre[0], 0.0, places=6)
        self.assertLess(abs(centre[1]), 0.3)

    def test_guard_has_fists_before_the_face(self):
        head = self.top("Punch00", "head")
        for s in "lr":
            fist = self.top("Punch00", "fist_" + s)
            self.assertGreater(fist[2], head[2] + 0.5)
            self.assertGreater(fist[1], head[1] - 1.5)

    def test_punch_reaches_out_step_by_step(self):
        reach = [self.top("Punch%02d" % i, "fist_r")[2] for i in range(5)]
        self.assertEqual(reach, sorted(reach))
        self.assertGreater(reach[4], 4.0)

    def test_uppercut_dips_then_rises_to_head_height(self):
        heights = [self.top("HeadPunch%02d" % i, "fist_l")[1] for i in range(1, 6)]
        self.assertLess(heights[1], heights[0])
        self.assertEqual(heights[1:], sorted(heights[1:]))
        self.assertGreater(heights[4], self.top("Punch00", "head")[1])

    def test_wind_up_crouches_deeper(self):
        pelvis = [self.top(n, "pelvis")[1] for n in ("Punch00", "ComboPrep01", "ComboPrep02")]
        self.assertEqual(pelvis, sorted(pelvis, reverse=True))
        frames = Skeleton(all_poses()["ComboPrep02.txt"]).frames
        origin, rot = frames["chest"]
        for s in "lr":
            # Seen from the chest: elbows drawn back behind the back, fists down at the hips.
            elbow = mat_vec(transpose(rot), sub(frames["forearm_" + s][0], origin))
            fist = mat_vec(transpose(rot), sub(frames["fist_" + s][0], origin))
            self.assertLess(elbow[2], -1.0)
            self.assertLess(fist[1], 0.5)

    def test_specials_end_with_a_long_reach(self):
        for move in ("Banana", "Ayuken"):
            front = [max(v[2] for v in mesh("%s%02d" % (move, i)).vertices) for i in (1, 2, 3)]
            self.assertGreater(front[2], 4.0, move)
            self.assertEqual(front[2], max(front), move)


if __name__ == "__main__":
    unittest.main()
