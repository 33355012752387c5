#!/usr/bin/env python3
"""Writes the first level: the scenery model assets/models/scene.ase and the
level file assets/models/gameData.txt.

Usage: python3 tools/level/make_level.py [ROOT]
(ROOT, the folder that holds assets/, defaults to this project's root.)

The course, as the start camera shows it: the ball drops into a hammock of
cloth pinned at four points, its two far corners and two points on its sides;
the near part of the cloth, towards the camera, is a free flap that hangs
over the edge. Below the flap lies a wide trough. Grab the cloth by the ball
or the flap and pull it towards you (down the screen): the hammock's near
side gives, the ball rolls over it and down the flap into the trough. The
trough narrows into a channel that turns to the right and runs away from the
camera past the four bubbles; a V-shaped channel brings the ball to its middle
line, so a ball in it cannot miss a bubble. The channel's far end is closed,
so a ball that has run the course stays there while the finish screen shows;
a ball that leaves the course anywhere falls away and the run starts again
within a few seconds.
Positions here are the game's y-up world coordinates; the model file is z-up,
so every point and normal is written as (x, -z, y).
"""
import math
import os
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SCENE_FILE = "assets/models/scene.ase"
SCENE_TEXTURE = "assets/models/scene.bmp"
CLOTH_TEXTURE = "assets/models/cloth.bmp"
TILE = 1.0  # world units per texture repeat

# Cloth: one grid, spacing SPACING both ways; the ball drops at (-3, 7, -3).
# Rows run along x from CLOTH_X0; the hammock is rows 0 to PIN_ROW, centred
# under the drop point, and the rows after it are the flap.
SPACING = 4.0 / 27.0
CLOTH_X0, CLOTH_Z0 = -4.3, -5.0
ROWS, COLS = 29, 27
PIN_ROW = 18
CLOTH_Y = 5.0
STIFFNESS = 5000.0

# The course: a V-shaped trough along a centre line, one cross-section per
# point: (x, z, bottom height, half width at the rim, rim height above the
# bottom). Vertical lips of LIP stand on both rims. The first stretch, under
# the flap, is wide enough to catch a ball that leaves the cloth anywhere on
# its near side; it runs down towards -z, narrows while it turns, and the
# channel runs down along -x to its closed end.
COURSE = [
    (-0.4, -0.3, 2.2, 1.9, 1.0),
    (-0.4, -5.0, 1.4, 1.9, 1.0),
    (-0.6, -6.6, 1.0, 1.1, 0.7),
    (-1.3, -7.8, 0.7, 0.7, 0.5),
    (-2.4, -8.4, 0.45, 0.55, 0.45),
    (-3.5, -8.5, 0.2, 0.55, 0.45),
    (-10.0, -8.5, -1.2, 0.55, 0.45),
]
LIP = 0.35
# Above the near side of the catching stretch stands a board up to this
# height: a ball flung towards the camera hits it and drops into the trough.
BOARD_TOP = 5.5
# The channel's low end is closed by a wall this much higher than its lips, so
# that a player sees where the course stops.
END_WALL = 0.6

# Checkpoints on the channel's middle line, in the order the ball meets them:
# x, and the radius; each sits CHECKPOINT_LIFT above the channel's bottom,
# clear of its walls and lips (a bubble cutting through them would show
# under the course), and still reaches a ball anywhere in the channel.
CHECKPOINT_XS = [-4.0, -5.6, -7.2, -8.8]
CHECKPOINT_RADIUS = 0.5
CHECKPOINT_LIFT = 0.7

# Tack icons (overlay pixels, origin bottom-left): top-right corner of 640 x 480.
TACKS = [(600, 440), (540, 440), (480, 440)]


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def unit(a):
    n = math.sqrt(a[0] ** 2 + a[1] ** 2 + a[2] ** 2)
    return (a[0] / n, a[1] / n, a[2] / n)


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


class Mesh:
    def __init__(self):
        self.triangles = []  # (p0, p1, p2, normal), counter-clockwise seen from the normal's side

    def triangle(self, p0, p1, p2, towards):
        """A triangle whose face (the side that holds the ball) looks towards the point given."""
        normal = unit(cross(sub(p1, p0), sub(p2, p0)))
        centre = scale(add(add(p0, p1), p2), 1.0 / 3.0)
        if dot(normal, sub(towards, centre)) < 0:
            p1, p2 = p2, p1
            normal = scale(normal, -1.0)
        self.triangles.append((p0, p1, p2, normal))

    def quad(self, p0, p1, p2, p3, towards):
        self.triangle(p0, p1, p2, towards)
        self.triangle(p0, p2, p3, towards)


def cross_sections(course):
    """Per course point: bottom, the two rims and the two lip tops, the
    section square to the centre line (the mean of its two neighbouring
    stretches at a bend)."""
    sections = []
    for k, (x, z, y, w, h) in enumerate(course):
        before = course[max(k - 1, 0)]
        after = course[min(k + 1, len(course) - 1)]
        along = unit((after[0] - before[0], 0.0, after[1] - before[1]))
        side = (-along[2], 0.0, along[0])
        bottom = (x, y, z)
        rims = [add(bottom, add(scale(side, s * w), (0.0, h, 0.0))) for s in (1.0, -1.0)]
        lips = [add(rim, (0.0, LIP, 0.0)) for rim in rims]
        sections.append((bottom, rims, lips))
    return sections


def build_course():
    mesh = Mesh()
    sections = cross_sections(COURSE)
    for (b0, rims0, lips0), (b1, rims1, lips1) in zip(sections, sections[1:]):
        middle = scale(add(b0, b1), 0.5)
        above = add(middle, (0.0, 2.0, 0.0))  # the walls face up and inwards
        for s in range(2):
            mesh.quad(b0, b1, rims1[s], rims0[s], above)
            mesh.quad(rims0[s], rims1[s], lips1[s], lips0[s], add(middle, (0.0, rims0[s][1] - b0[1], 0.0)))
    # The board over the catching stretch's +x rim (the first side of the sections).
    (b0, _, lips0), (_, _, lips1) = sections[0], sections[1]
    tops = [(p[0], BOARD_TOP, p[2]) for p in (lips0[0], lips1[0])]
    mesh.quad(lips0[0], lips1[0], tops[1], tops[0], (b0[0], BOARD_TOP, b0[2]))
    # Both ends are closed: a ball that lands at the high end runs down the
    # trough, and one that has passed the last bubble stops at the low end.
    for end, next_one in ((0, 1), (-1, -2)):
        b, rims, lips = sections[end]
        inside = sections[next_one][0]
        mesh.triangle(b, rims[0], rims[1], inside)
        mesh.quad(rims[0], rims[1], lips[1], lips[0], inside)
    lips = sections[-1][2]
    tops = [add(lip, (0.0, END_WALL, 0.0)) for lip in lips]
    mesh.quad(lips[0], lips[1], tops[1], tops[0], sections[-2][0])
    return mesh


def course_bottom(x):
    """The channel's bottom height at x along its last, straight stretch."""
    (x0, _, y0, _, _), (x1, _, y1, _, _) = COURSE[-2], COURSE[-1]
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0)


def checkpoints():
    z = COURSE[-1][1]
    return [(x, course_bottom(x) + CHECKPOINT_LIFT, z, CHECKPOINT_RADIUS) for x in CHECKPOINT_XS]


def model(p):
    """World (y-up) to model (z-up): the loader turns (x, y, z) into (x, z, -y)."""
    return (p[0], -p[2], p[1])


def uv_for(p, normal):
    """Planar texture coordinates along the face's two most tangential axes."""
    ax = max(range(3), key=lambda i: abs(normal[i]))
    a, b = [i for i in range(3) if i != ax]
    return (p[a] / TILE, p[b] / TILE)


def write_ase(mesh, path):
    vertices = []
    faces = []
    tverts = []
    for p0, p1, p2, normal in mesh.triangles:
        base = len(vertices)
        vertices.extend([p0, p1, p2])
        tverts.extend([uv_for(p, normal) for p in (p0, p1, p2)])
        faces.append((base, base + 1, base + 2, normal))
    f = lambda v: "%.6f" % v
    out = ["*3DSMAX_ASCIIEXPORT\t200", '*COMMENT "Quilt Rush level 1, made by tools/level/make_level.py"',
           "*MATERIAL_LIST {", "\t*MATERIAL_COUNT 1", "\t*MATERIAL 0 {", '\t\t*MATERIAL_NAME "course"',
           "\t\t*MAP_DIFFUSE {", '\t\t\t*BITMAP "%s"' % SCENE_TEXTURE, "\t\t}", "\t}", "}",
           "*GEOMOBJECT {", '\t*NODE_NAME "course"', "\t*MESH {",
           "\t\t*MESH_NUMVERTEX %d" % len(vertices), "\t\t*MESH_NUMFACES %d" % len(faces),
           "\t\t*MESH_VERTEX_LIST {"]
    for i, p in enumerate(vertices):
        m = model(p)
        out.append("\t\t\t*MESH_VERTEX %d\t%s\t%s\t%s" % (i, f(m[0]), f(m[1]), f(m[2])))
    out.append("\t\t}")
    out.append("\t\t*MESH_FACE_LIST {")
    for i, (a, b, c, _) in enumerate(faces):
        out.append("\t\t\t*MESH_FACE %d:\tA: %d B: %d C: %d AB: 1 BC: 1 CA: 1\t*MESH_SMOOTHING 1\t*MESH_MTLID 0" % (i, a, b, c))
    out.append("\t\t}")
    out.append("\t\t*MESH_NUMTVERTEX %d" % len(tverts))
    out.append("\t\t*MESH_TVERTLIST {")
    for i, (u, v) in enumerate(tverts):
        out.append("\t\t\t*MESH_TVERT %d\t%s\t%s\t0.000000" % (i, f(u), f(v)))
    out.append("\t\t}")
    out.append("\t\t*MESH_NUMTVFACES %d" % len(faces))
    out.append("\t\t*MESH_TFACELIST {")
    for i, (a, b, c, _) in enumerate(faces):
        out.append("\t\t\t*MESH_TFACE %d\t%d\t%d\t%d" % (i, a, b, c))
    out.append("\t\t}")
    out.append("\t\t*MESH_NORMALS {")
    for i, (a, b, c, normal) in enumerate(faces):
        n = model(normal)
        out.append("\t\t\t*MESH_FACENORMAL %d\t%s\t%s\t%s" % (i, f(n[0]), f(n[1]), f(n[2])))
        for v in (a, b, c):
            out.append("\t\t\t\t*MESH_VERTEXNORMAL %d\t%s\t%s\t%s" % (v, f(n[0]), f(n[1]), f(n[2])))
    out.append("\t\t}")
    out.append("\t}")
    out.append("}")
    with open(os.path.join(ROOT, path), "w") as handle:
        handle.write("\n".join(out) + "\n")
    return len(faces)


def write_game_data(path):
    size_x, size_z = ROWS * SPACING, COLS * SPACING
    centre = (CLOTH_X0 + size_x / 2, CLOTH_Y, CLOTH_Z0 + size_z / 2)
    pins = (0, COLS - 1, PIN_ROW * COLS, PIN_ROW * COLS + COLS - 1)
    lines = ["BEGINDATA", "", "BEGINSCENE", SCENE_FILE, CLOTH_TEXTURE, "",
             "BEGINPATCH",
             "  %.6g %g %.6g  %.6g %.6g  %d %d  %g  %d %d %d %d" % (
                 *centre, size_x, size_z, ROWS, COLS, STIFFNESS, *pins),
             "ENDPATCH", "", "BEGINCHECKPOINT"]
    lines += ["  %.4g %.4g %.4g %.4g" % cp for cp in checkpoints()]
    lines += ["ENDCHECKPOINT", "", "BEGINTACK"]
    lines += ["  %d %d" % t for t in TACKS]
    lines += ["ENDTACK", "", "ENDDATA"]
    with open(os.path.join(ROOT, path), "w") as handle:
        handle.write("\n".join(lines) + "\n")


def main():
    global ROOT
    if len(sys.argv) > 1:
        ROOT = os.path.abspath(sys.argv[1])
    os.makedirs(os.path.join(ROOT, "assets/models"), exist_ok=True)
    count = write_ase(build_course(), SCENE_FILE)
    write_game_data("assets/models/gameData.txt")
    print("wrote %s (%d triangles) and assets/models/gameData.txt" % (SCENE_FILE, count))


if __name__ == "__main__":
    main()
