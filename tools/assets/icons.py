"""The application icon for the desktop's menus: the red ball resting in a
quilted cloth pinned by two tacks, on a navy tile. Painted once at 256 x 256
and reduced for the smaller size, as PNG files under packaging/icons/."""

import math
import os

from PIL import Image, ImageChops

import interface
import textures
from drawing import GOLD_LIGHT, INK, NAVY, NAVY_DARK, WHITE, Canvas, rgba, vertical_gradient

ICON_SIZE = 256
ICON_SIZES = (48, 256)
BALL_RED = (214, 28, 28)
BALL_LIGHT = (255, 120, 110)


def _cloth_outline():
    """The hanging cloth: a straight top edge between the tacks, sides and
    bottom that sag towards the middle."""
    points = []
    steps = 24
    for k in range(steps + 1):  # right side, down and in
        f = k / steps
        points.append((206 - 14 * math.sin(math.pi * f / 2), 62 + 132 * f))
    for k in range(1, steps):  # bottom, sagging
        f = k / steps
        points.append((192 - 128 * f, 194 + 22 * math.sin(math.pi * f)))
    for k in range(steps + 1):  # left side, back up
        f = k / steps
        points.append((64 - 14 * math.sin(math.pi * (1 - f) / 2), 194 - 132 * f))
    return points


def icon():
    """The 256 x 256 icon."""
    size = ICON_SIZE
    canvas = Canvas(size, size)
    canvas.rounded_rect((6, 6, 250, 250), 48, fill=rgba(NAVY))
    canvas.stitched_rect((18, 18, 238, 238), 36, rgba(GOLD_LIGHT, 210), width=3.0, dash=11.0, gap=7.0)

    shape = canvas.layer()
    shape.polygon(_cloth_outline(), fill=rgba(WHITE))
    canvas.shadow_of(shape, (5, 7), 5, colour=INK, opacity=0.5)
    fabric = textures.cloth().resize(canvas.image.size, Image.Resampling.BICUBIC)
    # The cloth darkens into its sag, where the ball weighs it down.
    fabric = ImageChops.multiply(fabric, vertical_gradient(canvas.image.size, WHITE, (150, 150, 160)))
    canvas.fill_mask(shape, fabric)

    ball = canvas.layer()
    ball.circle((128, 150), 38, fill=rgba(WHITE))
    canvas.shadow_of(ball, (4, 8), 6, colour=INK, opacity=0.55)
    canvas.circle((128, 150), 38, fill=rgba(BALL_RED))
    canvas.circle((116, 136), 18, fill=rgba(BALL_LIGHT, 120))
    canvas.circle((112, 131), 8, fill=rgba(WHITE, 210))

    image = canvas.result(NAVY_DARK)
    tack = interface.tack().resize((72, 72), Image.Resampling.LANCZOS)
    for x in (30, 154):
        image.alpha_composite(tack, (x, 24))
    return image


def write_icons(folder):
    """Writes quiltrush-SIZE.png for every icon size into folder; returns the paths."""
    os.makedirs(folder, exist_ok=True)
    large = icon()
    paths = []
    for size in ICON_SIZES:
        picture = large if size == ICON_SIZE else large.resize((size, size), Image.Resampling.LANCZOS)
        path = os.path.join(folder, f"quiltrush-{size}.png")
        # No time stamps or other metadata, so the files only change when the picture does.
        picture.save(path, "PNG", optimize=True)
        with Image.open(path) as written:
            if written.size != (size, size) or written.mode != "RGBA":
                raise SystemExit(f"{path}: {written.size} {written.mode}, expected {size} x {size} RGBA")
        paths.append(path)
    return paths
