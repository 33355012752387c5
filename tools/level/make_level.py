#!/usr/bin/env python3
"""Writes the first level: the scenery model assets/models/scene.ase and the
level file assets/models/gameData.txt.

Usage: python3 tools/level/make_level.py [ROOT]
(ROOT, the folder that holds assets/, defaults to this project's root.)

The course: the ball drops onto a cloth pinned at its four corners and sinks
into it (it rests about 1.8 below the pins). Pull the cloth's near edge (the +x
side, towards the camera) down below the ball and the ball rolls off it onto a
walled ramp that starts under that edge, down through the checkpoints, onto a
walled landing. From the start camera, high above, a drag moves the cloth
mostly across: turn the camera down first (right button, mouse up) so that a
drag pulls the edge down; a tack holds it there. Pull another edge and the
ball is lost over it.
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

# Cloth: one grid centred under the drop point (-3, 7, -3).
CLOTH = dict(x=-3.0, y=5.0, z=-3.0, size_x=4.0, size_z=4.0, rows=27, cols=27, stiffness=5000.0)

# Course geometry (world units).
RAMP_X0, RAMP_X1 = -1.3, 4.5       # ramp runs along +x, from just under the cloth's +x edge
RAMP_Y0, RAMP_Y1 = 2.5, 0.9        # top and bottom height: below the resting ball, so it rolls on
LANE_Z0, LANE_Z1 = -4.4, -1.6      # lane width along z
LAND_X1 = 7.5                      # far end of the landing
WALL_H = 0.6                       # wall height above the running surface
THICK = 0.2                        # slab and wall thickness

# Checkpoints: centre and radius, about 0.25 above the running surface, down
# the middle of the lane. The first sits where a ball that leaves the cloth
# high has come down onto the ramp again.
CHECKPOINTS = [
    (0.8, 2.17, -3.0, 0.6),
    (2.4, 1.73, -3.0, 0.6),
    (4.0, 1.29, -3.0, 0.6),
    (6.0, 1.15, -3.0, 0.6),
]

# Tack icons (overlay pixels, origin bottom-left): top-right corner of 640 x 480.
TACKS = [(600, 440), (540, 440), (480, 440)]


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def unit(a):
    n = math.sqrt(a[0] ** 2 + a[1] ** 2 + a[2] ** 2)
    return (a[0] / n, a[1] / n, a[2] / n)


class Mesh:
    def __init__(self):
        self.triangles = []  # (p0, p1, p2, normal), counter-clockwise seen from the normal's side

    def quad(self, p0, p1, p2, p3):
        """A flat quad p0 p1 p2 p3, counter-clockwise seen from its front."""
        normal = unit(cross(sub(p1, p0), sub(p2, p0)))
        self.triangles.append((p0, p1, p2, normal))
        self.triangles.append((p0, p2, p3, normal))

    def box(self, lo, hi):
        """An axis-aligned box with outward faces."""
        x0, y0, z0 = lo
        x1, y1, z1 = hi
        self.quad((x0, y1, z0), (x0, y1, z1), (x1, y1, z1), (x1, y1, z0))  # top
        self.quad((x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1))  # bottom
        self.quad((x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1))  # +z
        self.quad((x1, y0, z0), (x0, y0, z0), (x0, y1, z0), (x1, y1, z0))  # -z
        self.quad((x1, y0, z1), (x1, y0, z0), (x1, y1, z0), (x1, y1, z1))  # +x
        self.quad((x0, y0, z0), (x0, y0, z1), (x0, y1, z1), (x0, y1, z0))  # -x

    def slab(self, x0, x1, ya, yb, z0, z1, thick):
        """A sloped slab from height ya at x0 to yb at x1, with sides."""
        top = [(x0, ya, z0), (x0, ya, z1), (x1, yb, z1), (x1, yb, z0)]
        bot = [(p[0], p[1] - thick, p[2]) for p in top]
        self.quad(*top)
        self.quad(bot[0], bot[3], bot[2], bot[1])
        self.quad(bot[1], bot[2], top[2], top[1])  # +z side
        self.quad(bot[3], bot[0], top[0], top[3])  # -z side
        self.quad(bot[2], bot[3], top[3], top[2])  # +x end
        self.quad(bot[0], bot[1], top[1], top[0])  # -x end


def build_course():
    mesh = Mesh()
    # The ramp and its two side walls, which follow its slope.
    mesh.slab(RAMP_X0, RAMP_X1, RAMP_Y0, RAMP_Y1, LANE_Z0, LANE_Z1, THICK)
    mesh.slab(RAMP_X0, RAMP_X1, RAMP_Y0 + WALL_H, RAMP_Y1 + WALL_H, LANE_Z0 - THICK, LANE_Z0, WALL_H + THICK)
    mesh.slab(RAMP_X0, RAMP_X1, RAMP_Y0 + WALL_H, RAMP_Y1 + WALL_H, LANE_Z1, LANE_Z1 + THICK, WALL_H + THICK)
    # The landing: a flat slab walled on three sides.
    mesh.box((RAMP_X1, RAMP_Y1 - THICK, LANE_Z0 - THICK), (LAND_X1, RAMP_Y1, LANE_Z1 + THICK))
    mesh.box((RAMP_X1, RAMP_Y1, LANE_Z0 - THICK), (LAND_X1, RAMP_Y1 + WALL_H, LANE_Z0))
    mesh.box((RAMP_X1, RAMP_Y1, LANE_Z1), (LAND_X1, RAMP_Y1 + WALL_H, LANE_Z1 + THICK))
    mesh.box((LAND_X1, RAMP_Y1 - THICK, LANE_Z0 - THICK), (LAND_X1 + THICK, RAMP_Y1 + 2 * WALL_H, LANE_Z1 + THICK))
    return mesh


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


def corner_pins(rows, cols):
    return (0, cols - 1, (rows - 1) * cols, rows * cols - 1)


def write_game_data(path):
    c = CLOTH
    pins = corner_pins(c["rows"], c["cols"])
    lines = ["BEGINDATA", "", "BEGINSCENE", SCENE_FILE, CLOTH_TEXTURE, "",
             "BEGINPATCH",
             "  %g %g %g  %g %g  %d %d  %g  %d %d %d %d" % (
                 c["x"], c["y"], c["z"], c["size_x"], c["size_z"], c["rows"], c["cols"], c["stiffness"], *pins),
             "ENDPATCH", "", "BEGINCHECKPOINT"]
    lines += ["  %g %g %g %g" % cp for cp in CHECKPOINTS]
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
