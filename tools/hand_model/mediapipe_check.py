"""Holds the converted model to MediaPipe's own runtime: the npm package's WebAssembly build run in
headless Debian chromium on photographs of hands.

    mediapipe_check.py [--full] PACKAGE_FOLDER MODEL.onnx [PICTURE...]
PACKAGE_FOLDER: the unpacked @mediapipe/hands package; --full: MediaPipe runs its full landmark
model (the one MODEL.onnx was converted from), not the lite one. MediaPipe follows each picture as a video;
each of its answers after the first was found in the square its answer before called for. That
square is cut here the way MediaPipe cuts it, the converted model is run on it by OpenCV's dnn, and
its landmarks, brought back to the picture, are compared with MediaPipe's. Prints a row per picture.
"""
import functools
import http.server
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading

import numpy as np

import check

CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--enable-unsafe-swiftshader",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                  "--no-first-run", "--enable-logging=stderr", "--virtual-time-budget=180000", "--dump-dom"]
# MediaPipe's hand landmarks to rect: the palm and finger roots, turned by the wrist's line to the
# middle of the index, middle and ring roots, then twice as large, moved a tenth up, square.
FRAME_POINTS = [0, 1, 2, 3, 5, 6, 9, 10, 13, 14, 17, 18]


def square_of(points):
    """Centre, side and rotation (radians) of the square MediaPipe follows a hand in."""
    p = np.asarray(points)
    x1 = ((p[5, 0] + p[13, 0]) / 2 + p[9, 0]) / 2
    y1 = ((p[5, 1] + p[13, 1]) / 2 + p[9, 1]) / 2
    rotation = math.pi / 2 - math.atan2(-(y1 - p[0, 1]), x1 - p[0, 0])
    rotation = rotation - 2 * math.pi * math.floor((rotation + math.pi) / (2 * math.pi))
    c, s = math.cos(-rotation), math.sin(-rotation)
    q = p[FRAME_POINTS]
    turned = np.stack([c * q[:, 0] - s * q[:, 1], s * q[:, 0] + c * q[:, 1]], axis=1)
    low, high = turned.min(axis=0), turned.max(axis=0)
    mid = (low + high) / 2
    c, s = math.cos(rotation), math.sin(rotation)
    centre = np.array([c * mid[0] - s * mid[1], s * mid[0] + c * mid[1]])
    width, height = high - low
    centre += np.array([-height * -0.1 * s, height * -0.1 * c])
    return centre, 2 * max(width, height), rotation


def axes(centre, side, rotation):
    return (np.array([math.cos(rotation), math.sin(rotation)]) * side,
            np.array([-math.sin(rotation), math.cos(rotation)]) * side)


def cut(picture, centre, side, rotation):
    """The 224 x 224 square, bilinear, black outside the picture."""
    u_axis, v_axis = axes(centre, side, rotation)
    grid = (np.arange(check.SIDE) + 0.5) / check.SIDE - 0.5
    u, v = np.meshgrid(grid, grid)
    x = centre[0] + u * u_axis[0] + v * v_axis[0] - 0.5
    y = centre[1] + u * u_axis[1] + v * v_axis[1] - 0.5
    x0, y0 = np.floor(x).astype(int), np.floor(y).astype(int)
    fx, fy = (x - x0)[..., None], (y - y0)[..., None]
    padded = np.pad(picture.astype(np.float32), ((1, 2), (1, 2), (0, 0)))
    def at(dy, dx):
        return padded[np.clip(y0 + dy + 1, 0, padded.shape[0] - 1), np.clip(x0 + dx + 1, 0, padded.shape[1] - 1)]
    value = (at(0, 0) * (1 - fx) * (1 - fy) + at(0, 1) * fx * (1 - fy) + at(1, 0) * (1 - fx) * fy + at(1, 1) * fx * fy)
    return np.clip(np.rint(value), 0, 255).astype(np.uint8)


def back(points, centre, side, rotation):
    u_axis, v_axis = axes(centre, side, rotation)
    n = points[:, :2] / check.SIDE - 0.5
    return centre + n[:, :1] * u_axis + n[:, 1:2] * v_axis


def read_picture(path, folder):
    out = os.path.join(folder, "picture.ppm")
    subprocess.run(["convert", path, "-strip", "-depth", "8", "ppm:" + out], check=True)
    data = open(out, "rb").read()
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    width, height = int(header.group(1)), int(header.group(2))
    return np.frombuffer(data[header.end():], np.uint8).reshape(height, width, 3)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *arguments):
        pass


def mediapipe_answers(package, pictures, folder, complexity):
    site = os.path.join(folder, "site")
    shutil.copytree(package, site)
    shutil.copy(os.path.join(check.HERE, "mediapipe_page.html"), site)
    names = []
    for i, picture in enumerate(pictures):
        names.append("picture%d.png" % i)
        subprocess.run(["convert", picture, "-strip", os.path.join(site, names[-1])], check=True)
    handler = functools.partial(QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        url = "http://127.0.0.1:%d/mediapipe_page.html?complexity=%d#%s" % (server.server_address[1], complexity,
                                                                          ",".join(names))
        profile = "--user-data-dir=" + os.path.join(folder, "profile")
        done = subprocess.run(["chromium"] + CHROMIUM_FLAGS + [profile, url], capture_output=True, text=True,
                              timeout=600)
    finally:
        server.shutdown()
    found = re.search(r'"RESULT (.*)", source', done.stderr)
    if not found:
        sys.exit("mediapipe_check: MediaPipe gave no answer: %s" % done.stderr[-2000:])
    return json.loads(found.group(1))


def main():
    arguments = sys.argv[1:]
    full = arguments[:1] == ["--full"]
    if full:
        arguments = arguments[1:]
    complexity = 1 if full else 0
    if len(arguments) < 2:
        sys.exit(__doc__)
    package, model = arguments[0], arguments[1]
    pictures = arguments[2:] or [check.DOC + p for p in check.PICTURES[:4]]
    with tempfile.TemporaryDirectory() as folder:
        answers = mediapipe_answers(package, pictures, folder, complexity)
        squares, follows = [], []
        for i, (picture, answer) in enumerate(zip(pictures, answers)):
            rgb = read_picture(picture, folder)
            for k in range(1, len(answer["results"])):
                before, now = answer["results"][k - 1], answer["results"][k]
                if before is None or now is None:
                    continue
                square = square_of(before)
                path = os.path.join(folder, "square%d-%d.ppm" % (i, k))
                with open(path, "wb") as out:
                    out.write(b"P6\n224 224\n255\n" + cut(rgb, *square).tobytes())
                squares.append(path)
                follows.append((os.path.basename(picture), k, square, np.asarray(now)))
        ours = check.onnx_answers(model, squares, folder)
        print("| picture | frame | MediaPipe's square side (px) | largest x, y difference (px) | mean (px) |"
              " mean (px of the model's 224) | sign read |")
        print("|---|---|---|---|---|---|---|")
        worst = 0.0
        for path, (name, k, square, theirs) in zip(squares, follows):
            presence, sign, points = ours[path]
            gap = np.abs(back(points, *square) - theirs)
            worst = max(worst, float(gap.max()))
            print("| %s | %d | %.0f | %.2f | %.2f | %.2f | %s |" % (
                name, k + 1, square[1], gap.max(), gap.mean(), gap.mean() * check.SIDE / square[1],
                check.SIGNS[sign] if presence >= 0.5 else "no hand"))
        print("\nlargest landmark difference %.2f px" % worst)


if __name__ == "__main__":
    main()
