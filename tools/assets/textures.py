"""Full-colour pictures painted pixel by pixel: the menu backdrop (a quilted
cover), the cloth patch's patchwork and the scenery's wooden planks. The two
game textures repeat without seams."""

import math

from PIL import Image

from drawing import CREAM, GOLD, NAVY, TEAL


def _hash(*values):
    h = 0x9E3779B9
    for v in values:
        h = ((h ^ (v & 0xFFFFFFFF)) * 0x85EBCA6B) & 0xFFFFFFFF
        h ^= h >> 13
        h = (h * 0xC2B2AE35) & 0xFFFFFFFF
        h ^= h >> 16
    return h / 0xFFFFFFFF


def _periodic_noise(x, period, seed):
    """1-D value noise of x that repeats every period units."""
    i = math.floor(x)
    f = x - i
    f = f * f * (3 - 2 * f)
    a = _hash(i % period, seed)
    b = _hash((i + 1) % period, seed)
    return a + (b - a) * f


def _clamp(v):
    return max(0, min(255, int(round(v))))


def _shade(colour, factor, add=0.0):
    return tuple(_clamp(c * factor + add) for c in colour)


def _mix(a, b, f):
    return tuple(a[i] + (b[i] - a[i]) * f for i in range(3))


def _coverage(distance, half_width):
    """How much of a pixel a line of half_width covers at a centre distance (soft edge)."""
    return max(0.0, min(1.0, half_width - distance + 0.5))


# --- menu backdrop -------------------------------------------------------------

BACKDROP_SIZE = (640, 480)  # painted at the window's shape, stored square
QUILT_CELL = 56  # pixels between parallel seams
QUILT_FABRICS = [(33, 41, 84), (33, 41, 84), (33, 41, 84), (39, 49, 98), (30, 54, 88), (46, 40, 88)]
THREAD = (214, 200, 170)


def backdrop(stored_size=(512, 512)):
    width, height = BACKDROP_SIZE
    pixels = []
    diagonal = math.sqrt(2.0)
    for y in range(height):
        for x in range(width):
            u = (x + y) / QUILT_CELL
            v = (x - y) / QUILT_CELL + 0.5
            iu, iv = math.floor(u), math.floor(v)
            fu, fv = u - iu, v - iv
            fabric = QUILT_FABRICS[int(_hash(iu, iv, 7) * len(QUILT_FABRICS))]
            puff = math.sin(math.pi * fu) * math.sin(math.pi * fv)
            # Light from the top-left falls on the slopes that rise towards the bottom-right.
            lit = 0.16 * math.cos(math.pi * fu) * math.sin(math.pi * fv) \
                + 0.10 * math.cos(math.pi * fv) * math.sin(math.pi * fu)
            brightness = 0.70 + 0.34 * math.sqrt(puff) + lit
            weave = ((x + y) & 1) * 3.0 - 1.5 + (_hash(x, y, 3) - 0.5) * 6.0
            colour = _shade(fabric, brightness, weave)
            # Dashed seams along both diagonals.
            du = min(fu, 1 - fu) * QUILT_CELL / diagonal
            dv = min(fv, 1 - fv) * QUILT_CELL / diagonal
            along_u = (v * QUILT_CELL / diagonal) % 9.0
            along_v = (u * QUILT_CELL / diagonal) % 9.0
            stitch = max(_coverage(du, 0.8) * (along_u < 5.5), _coverage(dv, 0.8) * (along_v < 5.5))
            colour = _mix(colour, THREAD, 0.42 * stitch)
            # Vignette towards the corners.
            nx, ny = (x / width - 0.5) * 2, (y / height - 0.5) * 2
            vignette = 1.0 - 0.28 * (nx * nx + ny * ny) / 2
            pixels.append(tuple(_clamp(c * vignette) for c in colour))
    image = Image.new("RGB", BACKDROP_SIZE)
    image.putdata(pixels)
    return image.resize(stored_size, Image.Resampling.LANCZOS).convert("RGBA")


# --- cloth patch ---------------------------------------------------------------

TEXTURE_SIZE = 256
BLOCK = 64  # patchwork square, pixels
SKY = (112, 164, 222)
SAGE = (142, 182, 118)
LILAC = (168, 150, 208)
CLOTH_LAYOUT = [  # (pattern, fabric colour) per block, rows from the top
    [("gingham", TEAL), ("dots", GOLD), ("stripes", SKY), ("plain", CREAM)],
    [("stripes", SAGE), ("plain", CREAM), ("gingham", LILAC), ("dots", TEAL)],
    [("dots", SKY), ("gingham", GOLD), ("plain", CREAM), ("stripes", TEAL)],
    [("plain", CREAM), ("stripes", LILAC), ("dots", SAGE), ("gingham", SKY)],
]


def _fabric(pattern, base, a, b):
    """Colour of a pattern at block-local pixel (a, b), before shading."""
    light = _mix(base, (255, 255, 255), 0.55)
    if pattern == "gingham":
        bands = ((a // 8) % 2) + ((b // 8) % 2)
        return _mix(light, base, bands / 2)
    if pattern == "stripes":
        return base if ((a + b) // 6) % 2 == 0 else light
    if pattern == "dots":
        row = b // 16
        cx = (a + (8 if row % 2 else 0)) % 16
        d = math.hypot(cx + 0.5 - 8, (b % 16) + 0.5 - 8)
        return _mix(base, CREAM, _coverage(d, 3.2))
    # plain: a small cross-hatched quilting motif in the middle.
    d = abs(abs(a + 0.5 - BLOCK / 2) + abs(b + 0.5 - BLOCK / 2) - 15) / math.sqrt(2.0)
    along = (a + 0.5 - BLOCK / 2) % 6.0
    return _mix(base, TEAL, 0.75 * _coverage(d, 0.7) * (along < 3.5))


def cloth():
    size = TEXTURE_SIZE
    pixels = []
    for y in range(size):
        for x in range(size):
            pattern, base = CLOTH_LAYOUT[y // BLOCK][x // BLOCK]
            a, b = x % BLOCK, y % BLOCK
            colour = _fabric(pattern, base, a, b)
            fu, fv = (a + 0.5) / BLOCK, (b + 0.5) / BLOCK
            puff = math.sin(math.pi * fu) * math.sin(math.pi * fv)
            lit = 0.08 * math.cos(math.pi * fu) * math.sin(math.pi * fv) \
                + 0.08 * math.cos(math.pi * fv) * math.sin(math.pi * fu)
            brightness = 0.80 + 0.22 * math.sqrt(puff) + lit
            # Woven threads: every other row and column a little lighter, plus fibre noise.
            weave = (3.0 if (x + y) % 2 else -3.0) + (_hash(x, y, 11) - 0.5) * 8.0
            colour = _shade(colour, brightness, weave)
            # Dashed navy stitches along every seam.
            edge = min(a + 0.5, BLOCK - a - 0.5, b + 0.5, BLOCK - b - 0.5)
            along = (b if min(a + 0.5, BLOCK - a - 0.5) <= min(b + 0.5, BLOCK - b - 0.5) else a) % 8
            stitch = _coverage(abs(edge - 3.0), 0.6) * (along < 5)
            colour = _mix(colour, NAVY, 0.7 * stitch)
            pixels.append(tuple(_clamp(c) for c in colour) + (255,))
    image = Image.new("RGBA", (size, size))
    image.putdata(pixels)
    return image


# --- scenery -------------------------------------------------------------------

PLANK = 32  # plank width, pixels; 8 planks fill the texture and it repeats
WOOD_LIGHT = (214, 164, 106)
WOOD_DARK = (150, 98, 56)
WOOD_GAP = (62, 38, 24)


def wood():
    size = TEXTURE_SIZE
    pixels = []
    for y in range(size):
        plank = y // PLANK
        b = y % PLANK
        joint = int(_hash(plank, 5) * size)  # where this plank's boards butt together
        tone = 0.9 + 0.2 * _hash(plank, 9)
        for x in range(size):
            board = 0 if (x - joint) % size < size // 2 else 1
            wobble = 1.6 * _periodic_noise(x / 64.0, size // 64, plank * 2 + board) \
                + 0.5 * _periodic_noise(x / 16.0, size // 16, plank * 5 + board)
            ring = (b * 0.11 + wobble + board * 0.37) % 1.0
            grain = 0.5 + 0.5 * math.cos(2 * math.pi * ring)
            colour = _mix(WOOD_LIGHT, WOOD_DARK, 0.15 + 0.7 * grain ** 4)
            fibre = (_hash(x // 4, y, plank) - 0.5) * 8.0
            colour = _shade(colour, tone, fibre)
            gap = max(_coverage(min(b + 0.5, PLANK - b - 0.5), 0.6),
                      _coverage(min((x - joint) % (size // 2) + 0.5, size // 2 - (x - joint) % (size // 2) - 0.5), 0.6))
            colour = _mix(colour, WOOD_GAP, 0.85 * gap)
            # A soft bevel: the upper edge of a plank catches the light.
            colour = _shade(colour, 1.0 + 0.10 * max(0.0, 1 - b / 4.0) - 0.10 * max(0.0, 1 - (PLANK - 1 - b) / 4.0))
            pixels.append(colour + (255,))
    image = Image.new("RGBA", (size, size))
    image.putdata(pixels)
    return image
