#!/usr/bin/env python3
"""Builds the fighting robot and writes its eighteen key-pose motion files.

Usage: make_robot.py [--out DIR] [--preview DIR] [--check]
  --out DIR      where the motion files go (default: data/ of the game tree)
  --preview DIR  also draw every pose from the side, the front and above
  --check        only read back the files in --out and report any fault
"""

import argparse
import os
import sys

from body import robot_pieces
from mesh import pose_mesh
from motionfile import motion_text, check_motion, read_motion
from poses import all_poses, stance
import preview

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "data"))
OPPONENT_GAP = 5.0   # a close fighting distance, in model units (4 is the closest)


def build():
    """File name -> (file text, posed mesh), and the pose targets that cannot be reached."""
    pieces = robot_pieces()
    files = {}
    problems = []
    for name, pose in all_poses().items():
        mesh = pose_mesh(pieces, pose)
        problems += ["%s: %s" % (name, w) for w in mesh.warnings]
        files[name] = (motion_text(mesh.vertices, mesh.normals, mesh.faces), mesh)
    return files, problems


def check_files(directory, names):
    """Reader rules for each file, and one shared mesh layout across all of them."""
    problems = []
    layouts = {}
    for name in names:
        path = os.path.join(directory, name)
        if not os.path.exists(path):
            problems.append("%s: missing" % name)
            continue
        with open(path, encoding="ascii") as f:
            text = f.read()
        found = check_motion(text)
        problems += ["%s: %s" % (name, p) for p in found]
        if not found:
            vertices, _, _, faces = read_motion(text)
            layouts[name] = (len(vertices), faces)
    if len(set((n, tuple(f)) for n, f in layouts.values())) > 1:
        problems.append("the files do not share one vertex count and face list")
    return problems, layouts


def opponent_mesh(pieces):
    """The opponent in guard, facing us at the closest gap."""
    mesh = pose_mesh(pieces, stance())
    turn = lambda v: (-v[0], v[1], OPPONENT_GAP - v[2])
    return ([turn(v) for v in mesh.vertices], [(-n[0], n[1], -n[2]) for n in mesh.normals],
            mesh.faces, preview.OPPONENT)


def write_previews(directory, files):
    os.makedirs(directory, exist_ok=True)
    opponent = opponent_mesh(robot_pieces())
    sides = []
    for name, (_, mesh) in files.items():
        robot = (mesh.vertices, mesh.normals, mesh.faces, preview.ROBOT)
        side = preview.render("side", [robot, opponent])
        views = [side, preview.render("front", [robot]), preview.render("top", [robot])]
        preview.save(preview.side_by_side(views), os.path.join(directory, name[:-4]))
        sides.append(preview.render("side", [robot]))
    rows = [preview.side_by_side(sides[i:i + 6]) for i in range(0, len(sides), 6)]
    sheet = preview.Picture(max(r.width for r in rows), sum(r.height + 6 for r in rows))
    y0 = 0
    for r in rows:
        for y in range(r.height):
            sheet.pixels[y0 + y][:r.width] = r.pixels[y]
        y0 += r.height + 6
    return preview.save(sheet, os.path.join(directory, "all_sides"))


def main(argv):
    parser = argparse.ArgumentParser(description="Build the robot's motion files.")
    parser.add_argument("--out", default=DEFAULT_OUT)
    parser.add_argument("--preview")
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args(argv)
    names = list(all_poses())
    if not args.check:
        files, unreachable = build()
        if args.preview:
            print("previews in %s" % write_previews(args.preview, files))
        if unreachable:
            # A limb that cannot reach its target leaves a foot or a fist off its mark.
            for p in unreachable:
                print("make_robot: %s" % p, file=sys.stderr)
            return 1
        os.makedirs(args.out, exist_ok=True)
        for name, (text, _) in files.items():
            with open(os.path.join(args.out, name), "w", encoding="ascii", newline="\n") as f:
                f.write(text)
    problems, layouts = check_files(args.out, names)
    for p in problems:
        print("make_robot: %s" % p, file=sys.stderr)
    if problems:
        return 1
    count, faces = next(iter(layouts.values()))
    print("%d motion files in %s: %d vertices, %d normals, %d triangles each"
          % (len(layouts), args.out, count, count, len(faces)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
