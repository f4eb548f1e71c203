"""Writing robot poses as motion files, and checking files against the game's reader."""

import re

DECIMALS = 4
GROUP_LINE = "g robot"


def number(x):
    text = "%.*f" % (DECIMALS, x)
    # Rounding can leave a negative zero, which would make the bytes depend on noise.
    if float(text) == 0.0:
        text = "%.*f" % (DECIMALS, 0.0)
    return text


def motion_text(vertices, normals, faces):
    """The file for one pose: vertex i carries normal i; one shared vt entry."""
    if len(vertices) != len(normals):
        raise ValueError("%d vertices but %d normals" % (len(vertices), len(normals)))
    lines = ["v %s %s %s" % tuple(number(c) for c in v) for v in vertices]
    lines.append("vt %s %s" % (number(0.0), number(0.0)))
    lines += ["vn %s %s %s" % tuple(number(c) for c in n) for n in normals]
    lines += ["f %d/1/%d %d/1/%d %d/1/%d" % (a, a, b, b, c, c) for a, b, c in faces]
    lines.append(GROUP_LINE)
    return "\n".join(lines) + "\n"


class TokenReader:
    """Reads a motion file token by token, the way the game does."""

    NUMBER = re.compile(r"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?")

    def __init__(self, text):
        self.text = text
        self.pos = 0

    def skip_blanks(self):
        while self.pos < len(self.text) and self.text[self.pos] in " \t\r\n\v\f":
            self.pos += 1

    def word(self):
        self.skip_blanks()
        start = self.pos
        while self.pos < len(self.text) and self.text[self.pos] not in " \t\r\n\v\f":
            self.pos += 1
        return self.text[start:self.pos]

    def number(self):
        self.skip_blanks()
        match = self.NUMBER.match(self.text, self.pos)
        if not match:
            raise ValueError("number expected at offset %d" % self.pos)
        self.pos = match.end()
        return float(match.group(0))

    def char(self):
        self.skip_blanks()
        if self.pos >= len(self.text):
            raise ValueError("input ends inside the face list")
        self.pos += 1
        return self.text[self.pos - 1]


def read_motion(text):
    """The four lists the game's reader builds from a motion file."""
    r = TokenReader(text)
    vertices, pairs, normals, faces = [], [], [], []
    while r.word() == "v":
        vertices.append((r.number(), r.number(), r.number()))
    while True:
        pairs.append((r.number(), r.number()))
        if r.word() != "vt":
            break
    while True:
        normals.append((r.number(), r.number(), r.number()))
        if r.word() != "vn":
            break
    while True:
        face = []
        for corner in range(3):
            face.append(r.number())
            r.char()
            face.append(r.number())
            r.char()
            face.append(r.number())
        faces.append(tuple(face))
        if r.char() == "g":
            break
    return vertices, pairs, normals, faces


LINE_SHAPES = [
    ("v", re.compile(r"v( -?\d+\.\d{%d}){3}" % DECIMALS)),
    ("vt", re.compile(r"vt( -?\d+\.\d{%d}){2}" % DECIMALS)),
    ("vn", re.compile(r"vn( -?\d+\.\d{%d}){3}" % DECIMALS)),
    ("f", re.compile(r"f( \d+/\d+/\d+){3}")),
]


def check_motion(text):
    """Problems that would upset the game's reader or its drawing; empty when fine."""
    problems = []
    if not text.endswith(GROUP_LINE + "\n"):
        problems.append("file does not end with the line '%s'" % GROUP_LINE)
    lines = text.split("\n")[:-1]
    order = [kind for kind, _ in LINE_SHAPES] + ["g"]
    stage = 0
    for line_no, line in enumerate(lines, 1):
        kind = line.split(" ", 1)[0]
        if kind not in order or order.index(kind) < stage:
            problems.append("line %d: '%s' is out of place" % (line_no, line[:40]))
            continue
        stage = order.index(kind)
        if kind == "g":
            if line_no != len(lines):
                problems.append("line %d: lines follow the group line" % line_no)
        elif not dict(LINE_SHAPES)[kind].fullmatch(line):
            problems.append("line %d: malformed '%s'" % (line_no, line[:60]))
    if problems:
        return problems
    vertices, pairs, normals, faces = read_motion(text)
    counts = {"v": len(vertices), "vt": len(pairs), "vn": len(normals)}
    if not pairs or not normals or not faces:
        problems.append("empty vt, normal or face list")
    if len(normals) != len(vertices):
        problems.append("%d normals for %d vertices" % (len(normals), len(vertices)))
    for k, face in enumerate(faces, 1):
        for corner in range(3):
            v, vt, vn = face[3 * corner:3 * corner + 3]
            if not (1 <= v <= counts["v"] and 1 <= vt <= counts["vt"] and 1 <= vn <= counts["vn"]):
                problems.append("face %d: index out of range %r" % (k, face))
            if v != vn:
                problems.append("face %d: normal index %d differs from vertex index %d" % (k, vn, v))
    return problems
