"""Holds the converted ONNX model, as OpenCV's dnn runs it, to an independent numpy run of the TFLite graph.

    check.py MODEL.tflite MODEL.onnx [PICTURE...]
Pictures (any format ImageMagick reads) are fitted into 224 x 224 squares, each also mirrored and
turned a quarter; without any, opencv-doc's photographs of hands and one of a street are used.
Prints a row per picture and the largest differences; exit status 1 when a landmark differs by
more than a pixel or the presence by more than 0.01.
"""
import os
import subprocess
import sys
import tempfile

import numpy as np

import reference

HERE = os.path.dirname(os.path.abspath(__file__))
DOC = "/usr/share/doc/opencv-doc/opencv4/html/"
PICTURES = ["Back_Projection_Theory0.jpg", "Back_Projection_Theory2.jpg", "Back_Projection1_Source_Image.jpg",
            "handSrc.jpg", "Background_Subtraction_Tutorial_frame.jpg"]
SIDE = 224
MAX_PIXELS, MAX_PRESENCE = 1.0, 0.01
SIGNS = ["none", "rock", "paper", "scissors"]


def squares(pictures, folder):
    """Each picture fitted into a black-bordered square, as is, mirrored and turned a quarter."""
    made = []
    for picture in pictures:
        base = os.path.splitext(os.path.basename(picture))[0]
        for name, change in (("", []), ("-mirrored", ["-flop"]), ("-turned", ["-rotate", "90"])):
            out = os.path.join(folder, base + name + ".ppm")
            subprocess.run(["convert", picture, "-strip"] + change +
                           ["-resize", "%dx%d" % (SIDE, SIDE), "-gravity", "center", "-background", "black",
                            "-extent", "%dx%d" % (SIDE, SIDE), "-depth", "8", "ppm:" + out], check=True)
            made.append(out)
    return made


def read_ppm(path):
    data = open(path, "rb").read()
    return np.frombuffer(data[-SIDE * SIDE * 3:], np.uint8).reshape(SIDE, SIDE, 3).astype(np.float32) / 255


def onnx_answers(model, pictures, folder):
    """Presence and 63 values per picture from the C++ runner built against OpenCV's dnn."""
    runner = os.path.join(folder, "landmarks_of")
    top = os.path.dirname(os.path.dirname(HERE))
    subprocess.run(["g++", "-O2", "-Wall", "-Wextra", "-I/usr/include/opencv4", "-I" + top,
                    os.path.join(HERE, "landmarks_of.cpp"), os.path.join(top, "webcam", "landmark_sign.cpp"),
                    "-o", runner, "-lopencv_dnn", "-lopencv_core"], check=True)
    lines = subprocess.run([runner, model] + pictures, check=True, capture_output=True, text=True).stdout.split("\n")
    answers = {}
    for line in filter(None, lines):
        words = line.split()
        answers[words[0]] = (float(words[1]), int(words[2]), np.array([float(w) for w in words[3:]]).reshape(21, 3))
    return answers


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    tflite_bytes = open(sys.argv[1], "rb").read()
    pictures = sys.argv[3:] or [DOC + p for p in PICTURES]
    worst_pixels = worst_presence = 0.0
    with tempfile.TemporaryDirectory() as folder:
        made = squares(pictures, folder)
        answers = onnx_answers(sys.argv[2], made, folder)
        print("| picture | presence (numpy) | presence (ONNX) | largest x, y difference (px of 224) | mean (px) |"
              " sign read |")
        print("|---|---|---|---|---|---|")
        for path in made:
            expected = reference.run(tflite_bytes, read_ppm(path))
            presence = float(expected["Identity_1"].reshape(-1)[0])
            points = expected["Identity"].reshape(21, 3)
            got_presence, sign, got_points = answers[path]
            sign_name = SIGNS[sign] if got_presence >= 0.5 else "no hand"
            gap = np.abs(points[:, :2] - got_points[:, :2])
            worst_pixels = max(worst_pixels, float(gap.max()))
            worst_presence = max(worst_presence, abs(presence - got_presence))
            print("| %s | %.4f | %.4f | %.4f | %.4f | %s |" % (os.path.basename(path)[:-4], presence, got_presence,
                                                             gap.max(), gap.mean(), sign_name))
    print("\nlargest landmark difference %.4f px, largest presence difference %.5f" % (worst_pixels, worst_presence))
    if worst_pixels > MAX_PIXELS or worst_presence > MAX_PRESENCE:
        sys.exit(1)


if __name__ == "__main__":
    main()
