"""What every level of the pack is made of: vector helpers, the scenery mesh
with its one-sided collision faces, the cloth grids with their pins, and the
writers of the scene model (ASE), the level file and a level's own marked
cloth picture. The picture is written without PIL, which only the asset
generator (tools/assets) needs, so that making a level asks for nothing more
than Python.

Positions are the game's y-up world coordinates; the model file is z-up, so
every point and normal is written as (x, -z, y). The game fixes the rest: the
ball starts every run at BALL_START, the camera's eye restarts at EYE_START
and looks at the ball, and a ball below FALL_HEIGHT restarts the run.
"""
import functools
import math
import os
import struct

BALL_START = (-3.0, 7.0, -3.0)
EYE_START = (0.0, 10.0, -2.0)
FALL_HEIGHT = -50.0
BALL_RADIUS = 0.2

SCENE_TEXTURE = "assets/models/scene.bmp"
CLOTH_TEXTURE = "assets/models/cloth.bmp"
TILE = 1.0  # world units per texture repeat

# The cloth of the first level: its spacing holds the ball under the hardest
# drags (a cell stretched 2.6 times still keeps a ball of radius 0.2 out), and
# its stiffness carries the ball with a gentle sag.
SPACING = 4.0 / 27.0
STIFFNESS = 5000.0

# Tack icons (overlay pixels, origin bottom-left): along the top-right corner
# of the 640 x 480 window, the first one rightmost.
TACK_SLOTS = [(600, 440), (540, 440), (480, 440), (420, 440), (360, 440)]


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def unit(a):
    n = math.sqrt(a[0] ** 2 + a[1] ** 2 + a[2] ** 2)
    return (a[0] / n, a[1] / n, a[2] / n)


def mix(a, b, f):
    return add(a, scale(sub(b, a), f))


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

    def polygon(self, corners, towards):
        """A triangle or a quad, by its number of corners."""
        (self.triangle if len(corners) == 3 else self.quad)(*corners, towards)

    def slab(self, corners, towards, thickness=0.0):
        """A triangle or quad held from both sides (towards, then away from the
        given point): a thin wall or board the ball may meet from either side. With no
        thickness the two faces coincide, and where the camera sees the wall
        their depths fight (the back face's darker stripes show through)."""
        self.polygon(corners, towards)
        centre = scale(functools.reduce(add, corners), 1.0 / len(corners))
        normal = unit(cross(sub(corners[1], corners[0]), sub(corners[2], corners[0])))
        if dot(normal, sub(towards, centre)) > 0:
            normal = scale(normal, -1.0)
        back = [add(c, scale(normal, thickness)) for c in corners]
        self.polygon(back, add(centre, sub(centre, towards)))


class Level:
    """One level of the pack: its files, its scenery, its cloth and its bubbles."""

    def __init__(self, name, hint, folder):
        self.name = name
        self.hint = hint
        self.level_file = folder + "/gameData.txt"
        self.scene_file = folder + "/scene.ase"
        self.comment = "Quilt Rush level %s, made by tools/level/make_level.py" % name
        self.cloth_texture = CLOTH_TEXTURE
        self.cloth_mark = None  # see mark_cloth
        self.mesh = Mesh()
        self.grids = []        # (centre, size_x, size_z, rows, cols, stiffness, four patch-wide pin indices)
        self.spheres = 0       # patch-wide, over the grids so far
        self.checkpoints = []  # (x, y, z, radius)
        self.tacks = []        # icon centres

    def grid(self, corner, rows, cols, pins, spacing=SPACING, stiffness=STIFFNESS):
        """A flat grid whose sphere of row 0, column 0 lies at corner (rows run
        along x, columns along z, spacing apart); pins are four (row, column)
        pairs of this grid. Returns the patch-wide index of its first sphere."""
        size_x, size_z = rows * spacing, cols * spacing
        centre = (corner[0] + size_x / 2, corner[1], corner[2] + size_z / 2)
        first = self.spheres
        indices = tuple(first + r * cols + c for r, c in pins)
        self.grids.append((centre, size_x, size_z, rows, cols, stiffness, indices))
        self.spheres += rows * cols
        return first

    def mark_cloth(self, inside):
        """Gives the level a cloth of its own: the patchwork, with red stripes
        where inside(u, v) holds (u from the first to the last column, v from
        the first to the last row, both 0 to 1), so that a player sees which
        part hangs loose. The picture spans every grid of the level once."""
        self.cloth_texture = os.path.dirname(self.level_file) + "/cloth.bmp"
        self.cloth_mark = inside

    def use_tacks(self, count):
        self.tacks = TACK_SLOTS[:count]

    def quarter_turn(self, about, turns=1):
        """Turns the whole level a quarter turn about the vertical line through
        about (x, z), `turns` times: +x goes to +z and +z to -x. Scenery and
        bubbles turn as they are; a grid's rows must run along x, so each grid
        is rebuilt with rows and columns swapped and its pins moved with their
        spheres."""
        for _ in range(turns - 1):
            self.quarter_turn(about)
        ax, az = about

        def turn(p):
            return (ax - (p[2] - az), p[1], az + (p[0] - ax))

        self.mesh.triangles = [(turn(p0), turn(p1), turn(p2), turn_vector(n)) for p0, p1, p2, n in self.mesh.triangles]
        grids, first = [], 0
        for centre, size_x, size_z, rows, cols, stiffness, pins in self.grids:
            moved = []
            for index in pins:
                i, j = divmod(index - first, cols)
                moved.append(first + (cols - 1 - j) * rows + i)
            dx, dz = size_x / rows, size_z / cols
            # Sphere (i, j) lies at centre - size / 2 + (i dx, j dz); its turn
            # becomes sphere (cols - 1 - j, i) of the new grid.
            corner = turn((centre[0] - size_x / 2, centre[1], centre[2] - size_z / 2 + (cols - 1) * dz))
            new_centre = (corner[0] + size_z / 2, centre[1], corner[2] + size_x / 2)
            grids.append((new_centre, size_z, size_x, cols, rows, stiffness, tuple(moved)))
            first += rows * cols
        self.grids = grids
        self.checkpoints = [(*turn(c[:3]), c[3]) for c in self.checkpoints]


def turn_vector(v):
    return (-v[2], v[1], v[0])


def model(p):
    """World (y-up) to model (z-up): the loader turns (x, y, z) into (x, z, -y)."""
    return (p[0], -p[2], p[1])


def uv_for(p, normal):
    """Planar texture coordinates along the face's two most tangential axes."""
    ax = max(range(3), key=lambda i: abs(normal[i]))
    a, b = [i for i in range(3) if i != ax]
    return (p[a] / TILE, p[b] / TILE)


def write_ase(mesh, root, path, comment):
    vertices = []
    faces = []
    tverts = []
    for p0, p1, p2, normal in mesh.triangles:
        base = len(vertices)
        vertices.extend([p0, p1, p2])
        tverts.extend([uv_for(p, normal) for p in (p0, p1, p2)])
        faces.append((base, base + 1, base + 2, normal))
    f = lambda v: "%.6f" % v
    out = ["*3DSMAX_ASCIIEXPORT\t200", '*COMMENT "%s"' % comment,
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
    with open(os.path.join(root, path), "w") as handle:
        handle.write("\n".join(out) + "\n")
    return len(faces)


def write_game_data(level, root):
    lines = ["BEGINDATA", "", "BEGINSCENE", level.scene_file, level.cloth_texture, "", "BEGINPATCH"]
    for centre, size_x, size_z, rows, cols, stiffness, pins in level.grids:
        lines.append("  %.6g %g %.6g  %.6g %.6g  %d %d  %g  %d %d %d %d" % (
            *centre, size_x, size_z, rows, cols, stiffness, *pins))
    lines += ["ENDPATCH", "", "BEGINCHECKPOINT"]
    lines += ["  %.4g %.4g %.4g %.4g" % cp for cp in level.checkpoints]
    lines += ["ENDCHECKPOINT", "", "BEGINTACK"]
    lines += ["  %d %d" % t for t in level.tacks]
    lines += ["ENDTACK", "", "ENDDATA"]
    with open(os.path.join(root, level.level_file), "w") as handle:
        handle.write("\n".join(lines) + "\n")


def write_level(level, root):
    """Writes the level's scene model and level file under root; the triangle count."""
    os.makedirs(os.path.dirname(os.path.join(root, level.level_file)), exist_ok=True)
    count = write_ase(level.mesh, root, level.scene_file, level.comment)
    write_game_data(level, root)
    if level.cloth_mark is not None:
        write_marked_cloth(level.cloth_mark, root, level.cloth_texture)
    return count


MARK_RED, MARK_LIGHT = (215, 45, 35), (250, 236, 214)  # the stripes, as red, green, blue
MARK_STRENGTH = 0.75  # how much of the patchwork the stripes cover
MARK_STRIPE = 16      # pixels across a stripe, diagonally


def write_marked_cloth(inside, root, path):
    """The first level's cloth picture with the stripes of mark_cloth. The
    picture is the game's own 32-bit bottom-up BMP, so its header is kept and
    only the pixels (blue, green, red, alpha) change."""
    with open(os.path.join(root, CLOTH_TEXTURE), "rb") as handle:
        data = bytearray(handle.read())
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    for stored_row in range(height):
        top_row = height - 1 - stored_row  # the file stores the bottom row first
        for x in range(width):
            if not inside(x / (width - 1), top_row / (height - 1)):
                continue
            colour = MARK_RED if (x + top_row) // MARK_STRIPE % 2 else MARK_LIGHT
            at = offset + 4 * (stored_row * width + x)
            for channel, value in zip((2, 1, 0), colour):
                old = data[at + channel]
                data[at + channel] = round(old + (value - old) * MARK_STRENGTH)
    with open(os.path.join(root, path), "wb") as handle:
        handle.write(bytes(data))


# Troughs: a V-shaped channel along a centre line, one cross-section per
# point: (x, z, bottom height, half width at the rim, rim height above the
# bottom), with vertical lips of `lip` on both rims. A ball in it runs to the
# middle line, so bubbles on that line cannot be missed.

def cross_sections(course, lip):
    """Per course point: bottom, the two rims and the two lip tops, the
    section square to the centre line (the mean of its two neighbouring
    stretches at a bend). A point may give its own lip height as a sixth
    value."""
    sections = []
    for k, point in enumerate(course):
        x, z, y, w, h = point[:5]
        lip_here = point[5] if len(point) > 5 else lip
        before = course[max(k - 1, 0)]
        after = course[min(k + 1, len(course) - 1)]
        along = unit((after[0] - before[0], 0.0, after[1] - before[1]))
        side = (-along[2], 0.0, along[0])
        bottom = (x, y, z)
        rims = [add(bottom, add(scale(side, s * w), (0.0, h, 0.0))) for s in (1.0, -1.0)]
        lips = [add(rim, (0.0, lip_here, 0.0)) for rim in rims]
        sections.append((bottom, rims, lips))
    return sections


# How thick a solid trough's walls are: their outer faces lie this far out.
WALL_THICKNESS = 0.05


def trough_walls(mesh, sections, solid=False):
    """Both sides of the trough, stretch by stretch: the sloping wall, then its
    lip. The faces hold the ball inside only; a solid trough's walls also hold
    it outside, for a trough that thrown balls can reach from below or beside
    (a one-sided wall lets such a ball through into the trough)."""
    face = _face(mesh, solid)
    for (b0, rims0, lips0), (b1, rims1, lips1) in zip(sections, sections[1:]):
        middle = scale(add(b0, b1), 0.5)
        above = add(middle, (0.0, 2.0, 0.0))  # the walls face up and inwards
        for s in range(2):
            face((b0, b1, rims1[s], rims0[s]), above)
            face((rims0[s], rims1[s], lips1[s], lips0[s]), add(middle, (0.0, rims0[s][1] - b0[1], 0.0)))


def trough_end(mesh, sections, end, next_one, solid=False):
    """Closes the trough at section `end`, facing the section `next_one`
    (solid as in trough_walls)."""
    b, rims, lips = sections[end]
    inside = sections[next_one][0]
    face = _face(mesh, solid)
    face((b, rims[0], rims[1]), inside)
    face((rims[0], rims[1], lips[1], lips[0]), inside)


def board(mesh, sections, top):
    """A board over the first stretch's outer rim (the first side of the
    sections), up to the height top: a ball thrown over that rim hits it and
    drops back into the trough."""
    (b0, _, lips0), (_, _, lips1) = sections[0], sections[1]
    upright(mesh, lips0[0], lips1[0], top, b0)


def end_board(mesh, sections, top):
    """A board over the first section's lips, up to the height top: a ball
    thrown along the trough past its closed high end hits it and drops back."""
    (_, _, lips0), (b1, _, _) = sections[0], sections[1]
    upright(mesh, lips0[0], lips0[1], top, b1)


def upright(mesh, a, b, top, inside):
    """A board standing on the edge a-b up to the height top, facing the
    point above inside."""
    mesh.quad(a, b, (b[0], top, b[2]), (a[0], top, a[2]), (inside[0], top, inside[2]))


def _face(mesh, solid):
    """The builder of a trough's faces: one-sided, or solid (a slab WALL_THICKNESS thick)."""
    if solid:
        return lambda corners, towards: mesh.slab(corners, towards, WALL_THICKNESS)
    return mesh.polygon


# How wide a grating's bars are (see bars).
BAR_WIDTH = 0.06


def bars(mesh, corner, across, along, inside, step=0.3, width=BAR_WIDTH):
    """A grating: bars `width` wide and `step` apart side to side along
    `across` from `corner`, each running `along`, every one a slab
    (WALL_THICKNESS) that holds the ball on the side of `inside`. The gaps are
    narrower than the ball, so it cannot pass, while the player sees
    through."""
    length = math.sqrt(dot(across, across))
    for k in range(int(length / step) + 2):
        a = add(corner, scale(across, min(k * step, length - width) / length))
        b = add(a, scale(across, width / length))
        mesh.slab((a, b, add(b, along), add(a, along)), inside, WALL_THICKNESS)


def trough_bottom(course, x):
    """The trough's bottom height at x along its last stretch."""
    (x0, _, y0, _, _), (x1, _, y1, _, _) = course[-2][:5], course[-1][:5]
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0)
