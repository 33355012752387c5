"""The six sky box faces, painted from one continuous function of the view direction.

Each face is a square of the unit cube drawn by the game with the corner and
texture-coordinate table below (t = 0 is the top row of the image). Every pixel
is mapped through that same table to its point on the cube, and the colour is
a function of the normalised direction only, so the faces meet without seams.
"""

import math

from PIL import Image

FACE_SIZE = 256  # pixels; the faces are clamped to their edges when drawn

# Face name -> four corners as ((s, t), (x, y, z)), exactly as the game draws them.
FACE_CORNERS = {
    "bottom": [((1, 1), (1, -1, 1)), ((1, 0), (1, -1, -1)), ((0, 0), (-1, -1, -1)), ((0, 1), (-1, -1, 1))],
    "top": [((1, 0), (1, 1, 1)), ((1, 1), (1, 1, -1)), ((0, 1), (-1, 1, -1)), ((0, 0), (-1, 1, 1))],
    "left": [((0, 1), (-1, -1, -1)), ((1, 1), (1, -1, -1)), ((1, 0), (1, 1, -1)), ((0, 0), (-1, 1, -1))],
    "right": [((1, 1), (-1, -1, 1)), ((0, 1), (1, -1, 1)), ((0, 0), (1, 1, 1)), ((1, 0), (-1, 1, 1))],
    "back": [((1, 1), (-1, -1, -1)), ((0, 1), (-1, -1, 1)), ((0, 0), (-1, 1, 1)), ((1, 0), (-1, 1, -1))],
    "front": [((0, 1), (1, -1, -1)), ((1, 1), (1, -1, 1)), ((1, 0), (1, 1, 1)), ((0, 0), (1, 1, -1))],
}

SUN_DIRECTION = (0.55, 0.42, -0.72)


def _sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def _dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def _normalize(v):
    length = math.sqrt(_dot(v, v))
    return (v[0] / length, v[1] / length, v[2] / length)


def face_frame(name):
    """(origin, u, v) with point(s, t) = origin + s u + t v for the face's quad."""
    corners = {st: position for st, position in FACE_CORNERS[name]}
    origin = corners[(0, 0)]
    u = _sub(corners[(1, 0)], origin)
    v = _sub(corners[(0, 1)], origin)
    far = corners[(1, 1)]
    expected = tuple(origin[i] + u[i] + v[i] for i in range(3))
    if far != expected:
        raise ValueError(f"sky face {name}: corners do not form a parallelogram")
    return origin, u, v


def face_point(name, s, t):
    origin, u, v = face_frame(name)
    return tuple(origin[i] + s * u[i] + t * v[i] for i in range(3))


def face_texcoord(name, point):
    """(s, t) of a point that lies on the face's square."""
    origin, u, v = face_frame(name)
    offset = _sub(point, origin)
    return _dot(offset, u) / _dot(u, u), _dot(offset, v) / _dot(v, v)


# --- 3-D value noise ----------------------------------------------------------

_lattice = {}


def _lattice_value(ix, iy, iz):
    key = (ix, iy, iz)
    value = _lattice.get(key)
    if value is None:
        h = (ix * 374761393 + iy * 668265263 + iz * 1274126177) & 0xFFFFFFFF
        h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
        h ^= h >> 16
        value = (h & 0xFFFF) / 65535.0
        _lattice[key] = value
    return value


def _fade(f):
    return f * f * f * (f * (f * 6 - 15) + 10)


def value_noise(x, y, z):
    ix, iy, iz = math.floor(x), math.floor(y), math.floor(z)
    fx, fy, fz = _fade(x - ix), _fade(y - iy), _fade(z - iz)
    lv = _lattice_value

    def lerp(a, b, f):
        return a + (b - a) * f

    x00 = lerp(lv(ix, iy, iz), lv(ix + 1, iy, iz), fx)
    x10 = lerp(lv(ix, iy + 1, iz), lv(ix + 1, iy + 1, iz), fx)
    x01 = lerp(lv(ix, iy, iz + 1), lv(ix + 1, iy, iz + 1), fx)
    x11 = lerp(lv(ix, iy + 1, iz + 1), lv(ix + 1, iy + 1, iz + 1), fx)
    return lerp(lerp(x00, x10, fy), lerp(x01, x11, fy), fz)


def fbm(x, y, z, octaves):
    total, amplitude, norm = 0.0, 1.0, 0.0
    for octave in range(octaves):
        # Each octave is shifted so that lattice planes do not line up.
        total += amplitude * value_noise(x + octave * 17.3, y - octave * 9.1, z + octave * 5.7)
        norm += amplitude
        amplitude *= 0.5
        x, y, z = x * 2.03, y * 2.03, z * 2.03
    return total / norm


# --- the sky ------------------------------------------------------------------

HORIZON = (226, 236, 246)
ZENITH = (58, 118, 204)
SKY_MID = (120, 174, 234)
CLOUD_LIT = (255, 255, 255)
CLOUD_SHADE = (188, 202, 224)
SEA_DEEP = (132, 158, 204)
SUN_GLOW = (255, 236, 196)


def _smoothstep(edge0, edge1, x):
    f = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return f * f * (3 - 2 * f)


def _mix(a, b, f):
    return (a[0] + (b[0] - a[0]) * f, a[1] + (b[1] - a[1]) * f, a[2] + (b[2] - a[2]) * f)


def sky_colour(direction):
    """RGB (floats 0..255) seen along a unit direction: gradient sky with soft
    clouds above the horizon, a sea of clouds below it."""
    x, y, z = direction
    if y >= 0:
        colour = _mix(HORIZON, SKY_MID, _smoothstep(0.0, 0.16, y))
        colour = _mix(colour, ZENITH, _smoothstep(0.12, 0.95, y))
        density = fbm(x * 1.7, y * 1.7 + 3.0, z * 1.7, 5)
        cover = _smoothstep(0.44, 0.7, density)
        cover *= _smoothstep(0.02, 0.2, y) * (1.0 - 0.5 * _smoothstep(0.6, 1.0, y))
        shade = _smoothstep(0.4, 0.8, fbm(x * 3.6 + 11.0, y * 3.6, z * 3.6 - 7.0, 3) + 0.3 * y)
        colour = _mix(colour, _mix(CLOUD_SHADE, CLOUD_LIT, shade), 0.92 * cover)
    else:
        depth = -y
        colour = _mix(HORIZON, SEA_DEEP, _smoothstep(0.0, 0.6, depth))
        billows = fbm(x * 2.6 - 5.0, y * 2.6, z * 2.6 + 2.0, 5)
        puff = _smoothstep(0.38, 0.7, billows) * _smoothstep(0.0, 0.2, depth)
        colour = _mix(colour, _mix(CLOUD_SHADE, CLOUD_LIT, _smoothstep(0.4, 0.8, billows)), 0.85 * puff)
    glow = max(0.0, _dot(direction, _normalize(SUN_DIRECTION)))
    colour = _mix(colour, SUN_GLOW, min(1.0, 0.5 * glow ** 48 + 0.18 * glow ** 6))
    return colour


def render_face(name, size=FACE_SIZE):
    image = Image.new("RGB", (size, size))
    pixels = []
    for row in range(size):
        t = (row + 0.5) / size
        for column in range(size):
            s = (column + 0.5) / size
            r, g, b = sky_colour(_normalize(face_point(name, s, t)))
            pixels.append((int(r + 0.5), int(g + 0.5), int(b + 0.5)))
    image.putdata(pixels)
    return image.convert("RGBA")


def shared_edges():
    """(face a, face b, corner p, corner q) for the twelve edges of the cube."""
    corner_sets = {name: {position for _, position in corners} for name, corners in FACE_CORNERS.items()}
    names = list(FACE_CORNERS)
    edges = []
    for i, a in enumerate(names):
        for b in names[i + 1:]:
            common = sorted(corner_sets[a] & corner_sets[b])
            if len(common) == 2:
                edges.append((a, b, common[0], common[1]))
    return edges


def max_seam_difference(faces):
    """Largest channel difference between the texels that two faces show on either
    side of their shared edge, sampled along all twelve edges."""
    edges = shared_edges()
    if len(edges) != 12:
        raise ValueError(f"sky box faces share {len(edges)} edges instead of 12")
    worst = 0
    for a, b, p, q in edges:
        size = faces[a].width
        for k in range(size):
            f = (k + 0.5) / size
            point = tuple(p[i] + (q[i] - p[i]) * f for i in range(3))
            colours = []
            for name in (a, b):
                s, t = face_texcoord(name, point)
                column = min(size - 1, max(0, int(s * size)))
                row = min(size - 1, max(0, int(t * size)))
                colours.append(faces[name].getpixel((column, row)))
            worst = max(worst, max(abs(colours[0][c] - colours[1][c]) for c in range(3)))
    return worst
