"""Turning the robot's pieces and a posed skeleton into one triangle mesh."""

from skeleton import Skeleton


class PosedMesh:
    """Vertices, one normal per vertex, triangles (1-based) and the piece of each triangle."""

    def __init__(self, vertices, normals, faces, face_pieces, warnings):
        self.vertices = vertices
        self.normals = normals
        self.faces = faces
        self.face_pieces = face_pieces
        self.warnings = warnings


def pose_mesh(pieces, pose):
    skeleton = Skeleton(pose)
    vertices, normals, faces, face_pieces = [], [], [], []
    for index, piece in enumerate(pieces):
        for face in piece.faces:
            base = len(vertices) + 1
            normal = skeleton.turn(piece.bone, face.normal)
            for point in face.points:
                vertices.append(skeleton.place(piece.bone, point))
                normals.append(normal)
            for a, b, c in face.triangles:
                faces.append((base + a, base + b, base + c))
                face_pieces.append(index)
    return PosedMesh(vertices, normals, faces, face_pieces, skeleton.warnings)
