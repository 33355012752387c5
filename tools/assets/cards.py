"""The manual's picture cards and the credits card (stored 256 x 256, shown
200 x 200): a cream quilted card with a heading, a small drawing and a short text."""

import math

from PIL import Image

import interface
from drawing import (CORAL, CORAL_DARK, CREAM, CREAM_SHADE, GOLD, NAVY, NAVY_DARK, SCALE, TEAL, TEAL_DARK,
                     WHITE, Canvas, font, rgba, vertical_gradient)

CARD_SIZE = 256
# The manual's outer cards reach 10 px past a 640 x 480 window's top or bottom
# edge, so the card keeps clear of the top and bottom rows.
CARD_BOX = (6, 16, 250, 240)
CARD_RADIUS = 18
TEXT_TOP = 178
TEXT_FACE = ("DejaVuSansCondensed-Bold", 16)
LINE_HEIGHT = 19


def _card(heading, heading_face=None):
    canvas = Canvas(CARD_SIZE, CARD_SIZE)
    box = CARD_BOX
    shape = canvas.layer()
    shape.rounded_rect(box, CARD_RADIUS, fill=rgba(WHITE))
    canvas.shadow_of(shape, (0, 4), 3, opacity=0.6)
    canvas.fill_mask(shape, vertical_gradient(canvas.image.size, (255, 250, 236), CREAM_SHADE))
    canvas.rounded_rect(box, CARD_RADIUS, outline=rgba(NAVY), width=3)
    left, top, right, bottom = box
    canvas.stitched_rect((left + 7, top + 7, right - 7, bottom - 7), CARD_RADIUS - 6, rgba(CORAL, 220),
                         width=1.5, dash=5, gap=3.5)
    face = heading_face or font("DejaVuSans-Bold", 24)
    if heading:
        canvas.text((CARD_SIZE / 2, top + 30), heading, face, rgba(NAVY))
    return canvas


def _wrap(canvas, text, face, width):
    lines, current = [], ""
    for word in text.split():
        attempt = (current + " " + word).strip()
        if current and canvas.text_width(attempt, face) > width:
            lines.append(current)
            current = word
        else:
            current = attempt
    if current:
        lines.append(current)
    return lines


def _caption(canvas, text, top=TEXT_TOP):
    face = font(*TEXT_FACE)
    lines = _wrap(canvas, text, face, 206)
    if len(lines) > 3:
        raise ValueError(f"caption too long for a card: {text!r}")
    for i, line in enumerate(lines):
        canvas.text((CARD_SIZE / 2, top + i * LINE_HEIGHT), line, face, rgba(NAVY_DARK), anchor="mt")


def _paste(canvas, picture, centre, size):
    """Composites a finished picture (final pixels) at a centre, scaled to size."""
    big = picture.resize((int(size[0] * SCALE), int(size[1] * SCALE)), Image.Resampling.LANCZOS)
    canvas.image.alpha_composite(big, (int((centre[0] - size[0] / 2) * SCALE), int((centre[1] - size[1] / 2) * SCALE)))


def _mouse(canvas, centre, pressed, wheel=False):
    """A mouse seen from above; pressed is a set of "left" and "right"; wheel marks the wheel."""
    cx, cy = centre
    w, h = 46, 70
    box = (cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2)
    canvas.line([(cx, box[1]), (cx + 2, box[1] - 10), (cx + 10, box[1] - 16)], rgba(NAVY), 2.2)
    canvas.rounded_rect(box, 21, fill=rgba(WHITE), outline=rgba(NAVY), width=2.4)
    split = box[1] + 28
    halves = {"left": (box[0], box[1], cx, split), "right": (cx, box[1], box[2], split)}
    body = canvas.layer()
    body.rounded_rect(box, 21, fill=rgba(WHITE))
    for side in pressed:
        half = canvas.layer()
        half.image.paste(body.image.crop(Canvas.scaled(halves[side])), tuple(int(v) for v in Canvas.scaled(halves[side][:2])))
        canvas.fill_mask(half, Image.new("RGBA", canvas.image.size, rgba(CORAL)))
    canvas.rounded_rect(box, 21, outline=rgba(NAVY), width=2.4)
    canvas.line([(box[0], split), (box[2], split)], rgba(NAVY), 2.0, round_caps=False)
    canvas.line([(cx, box[1]), (cx, split)], rgba(NAVY), 2.0, round_caps=False)
    if wheel:
        canvas.rounded_rect((cx - 4, box[1] + 8, cx + 4, box[1] + 24), 4, fill=rgba(GOLD), outline=rgba(NAVY), width=1.8)


def _arrow(canvas, points, colour, width=3.0, head=7.0):
    """A polyline with an arrow head at its last point."""
    canvas.line(points[:-1] + [points[-1]], rgba(colour), width)
    (x0, y0), (x1, y1) = points[-2], points[-1]
    angle = math.atan2(y1 - y0, x1 - x0)
    tip = (x1 + math.cos(angle) * head * 0.5, y1 + math.sin(angle) * head * 0.5)
    wing = lambda a: (tip[0] - head * math.cos(angle + a), tip[1] - head * math.sin(angle + a))
    canvas.polygon([tip, wing(0.55), wing(-0.55)], fill=rgba(colour))


def _cloth(canvas, origin, columns, rows, spacing, lifted=None, lift=(0, 0), marked=None):
    """A small grid of cloth spheres joined by springs; one may be pulled out of place."""
    ox, oy = origin
    points = {}
    for r in range(rows):
        for c in range(columns):
            x, y = ox + c * spacing + r * spacing * 0.35, oy + r * spacing * 0.6
            if lifted == (c, r):
                x, y = x + lift[0], y + lift[1]
            elif lifted is not None:
                d = abs(c - lifted[0]) + abs(r - lifted[1])
                if d == 1:
                    x, y = x + lift[0] * 0.35, y + lift[1] * 0.35
            points[(c, r)] = (x, y)
    for (c, r), p in points.items():
        for q in ((c + 1, r), (c, r + 1)):
            if q in points:
                canvas.line([p, points[q]], rgba(TEAL_DARK), 1.6)
    for key, (x, y) in points.items():
        colour = TEAL if key != marked else NAVY
        canvas.circle((x, y), 4.2, fill=rgba(colour), outline=rgba(TEAL_DARK), width=1.0)
    return points


def select_card():
    canvas = _card("Grab & Drag")
    _mouse(canvas, (62, 118), {"left"})
    points = _cloth(canvas, (118, 104), 4, 3, 24, lifted=(1, 1), lift=(6, -26), marked=(1, 1))
    x, y = points[(1, 1)]
    _paste(canvas, interface.grab_cursor(), (x + 16, y + 16), (32, 32))
    _caption(canvas, "Hold the left button on the cloth to grab a sphere, then drag it.")
    return canvas.result(NAVY)


def rotate_card():
    canvas = _card("Orbit")
    _mouse(canvas, (62, 118), {"right"})
    cx, cy = 172, 116
    canvas.ellipse((cx - 26, cy - 6, cx + 26, cy + 14), fill=rgba(TEAL, 150), outline=rgba(TEAL_DARK), width=1.5)
    canvas.circle((cx, cy - 6), 11, fill=rgba(CORAL), outline=rgba(CORAL_DARK), width=1.5)
    canvas.circle((cx - 4, cy - 10), 3.5, fill=rgba(WHITE, 170))
    arc = [(cx + 52 * math.cos(math.radians(a)), cy + 2 + 26 * math.sin(math.radians(a))) for a in range(200, 505, 5)]
    _arrow(canvas, arc, NAVY, 3.0, 9)
    _caption(canvas, "Hold the right button and move the mouse to turn the camera.")
    return canvas.result(NAVY)


def zoom_card():
    canvas = _card("Zoom")
    _mouse(canvas, (78, 118), {"left", "right"}, wheel=True)
    x = 150
    _arrow(canvas, [(x, 118), (x, 84)], NAVY, 3.2, 10)
    _arrow(canvas, [(x, 118), (x, 152)], NAVY, 3.2, 10)
    label = font("DejaVuSans-Bold", 15)
    canvas.text((x + 12, 86), "closer", label, rgba(CORAL_DARK), anchor="lm")
    canvas.text((x + 12, 150), "farther", label, rgba(CORAL_DARK), anchor="lm")
    _caption(canvas, "Hold both buttons and move the mouse up or down, or turn the wheel.")
    return canvas.result(NAVY)


def _keycap(canvas, right, centre_y, label, width, half_height=15):
    box = (right - width, centre_y - half_height, right, centre_y + half_height)
    canvas.rounded_rect((box[0], box[1] + 3, box[2], box[3] + 3), 7, fill=rgba(NAVY))
    canvas.rounded_rect(box, 7, fill=rgba(WHITE), outline=rgba(NAVY), width=2)
    canvas.text(((box[0] + box[2]) / 2, centre_y + 0.5), label, font("DejaVuSans-Bold", 14), rgba(NAVY))


def fix_card():
    canvas = _card("Tack")
    points = _cloth(canvas, (40, 98), 4, 3, 24, marked=(2, 1))
    x, y = points[(2, 1)]
    canvas.circle((x, y), 6.5, outline=rgba(GOLD), width=2)
    _paste(canvas, interface.tack(), (x + 10, y - 16), (44, 44))
    _keycap(canvas, 226, 122, "Space", 64)
    _caption(canvas, "Press Space to pin the marked sphere with a tack; again to free it.")
    return canvas.result(NAVY)


GOAL = "Roll the red ball through every yellow bubble, fast!"
BUBBLE = (255, 226, 60)
KEYS = [("Esc", 46, "menu"), ("Enter", 58, "restart"), ("Space", 64, "tack / untack"), ("D", 34, "debug view"),
        ("M", 34, "sound on / off")]
KEY_TOP = 106
KEY_STEP = 27
KEY_HALF_HEIGHT = 11


def keys_card():
    """The manual's middle card: what a run is for, a ball rolling through the
    bubbles, then the keys."""
    canvas = _card("")
    face = font(*TEXT_FACE)
    for i, line in enumerate(_wrap(canvas, GOAL, face, 224)):
        canvas.text((CARD_SIZE / 2, 30 + i * LINE_HEIGHT), line, face, rgba(NAVY_DARK), anchor="mt")
    path_y = 82
    canvas.dashed([(44, path_y), (212, path_y)], rgba(NAVY, 160), 2.0, 5, 4)
    for x in (104, 150, 196):
        canvas.circle((x, path_y), 9, fill=rgba(BUBBLE, 170), outline=rgba(GOLD), width=1.5)
    canvas.circle((50, path_y), 7, fill=rgba((214, 30, 24)), outline=rgba((120, 10, 10)), width=1.2)
    canvas.circle((48, path_y - 2), 2.2, fill=rgba(WHITE, 220))
    label = font("DejaVuSans-Bold", 15)
    for i, (key, width, meaning) in enumerate(KEYS):
        y = KEY_TOP + i * KEY_STEP
        _keycap(canvas, 100, y, key, width, KEY_HALF_HEIGHT)
        canvas.text((112, y + 1), meaning, label, rgba(NAVY_DARK), anchor="lm")
    return canvas.result(NAVY)


BUILT_WITH = ["OpenGL", "GLU", "freeglut", "Mesa"]


def credits_card():
    canvas = _card("Quilt Rush", font("DejaVuSerif-Bold", 28))
    small = font("DejaVuSans-Bold", 14)
    canvas.text((128, 80), "built on", small, rgba(CORAL_DARK))
    names = font("DejaVuSans-Bold", 18)
    for i, name in enumerate(BUILT_WITH):
        y = 108 + i * 24
        canvas.circle((84, y), 3.2, fill=rgba(CORAL))
        canvas.text((96, y + 0.5), name, names, rgba(NAVY), anchor="lm")
    canvas.text((128, 212), "and our own kiln framework", font("DejaVuSansCondensed-Bold", 15), rgba(NAVY_DARK))
    return canvas.result(NAVY)
