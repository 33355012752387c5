"""Shared drawing helpers: the palette, fonts and an anti-aliased RGBA canvas.

Shapes are drawn on a canvas SCALE times larger than the picture and reduced
with a box filter over premultiplied colour, which gives soft edges without
dark fringes; coordinates passed to the helpers are in final picture pixels.
"""

import math
import os

from PIL import Image, ImageDraw, ImageFilter, ImageFont

SCALE = 4
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# One palette for every picture of the game.
NAVY = (33, 41, 84)
NAVY_DARK = (18, 22, 48)
INDIGO = (58, 70, 128)
CREAM = (250, 242, 220)
CREAM_SHADE = (232, 218, 186)
CORAL = (222, 86, 70)
CORAL_LIGHT = (240, 124, 104)
CORAL_DARK = (150, 44, 40)
GOLD = (246, 188, 66)
GOLD_LIGHT = (255, 222, 130)
TEAL = (38, 150, 140)
TEAL_DARK = (22, 96, 92)
WHITE = (255, 255, 255)
INK = (16, 16, 20)
STEEL = (176, 184, 196)


def font(name, size):
    """A DejaVu face (e.g. "DejaVuSans-Bold") at size final pixels, scaled for the canvas."""
    path = os.path.join(FONT_DIR, name + ".ttf")
    if not os.path.exists(path):
        raise SystemExit(f"missing font {path}: apt-get install fonts-dejavu-core")
    return ImageFont.truetype(path, int(round(size * SCALE)))


def rgba(colour, alpha=255):
    return tuple(colour[:3]) + (alpha,)


def rounded_rect_path(box, radius, step=1.0):
    """Points (final pixels) around a rounded rectangle, clockwise from the top-left arc."""
    left, top, right, bottom = box
    points = []
    corners = [(left + radius, top + radius, 180), (right - radius, top + radius, 270),
               (right - radius, bottom - radius, 0), (left + radius, bottom - radius, 90)]
    arc_steps = max(4, int(math.pi * radius / 2 / step))
    for cx, cy, start in corners:
        for k in range(arc_steps + 1):
            angle = math.radians(start + 90.0 * k / arc_steps)
            points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    points.append(points[0])
    return points


def dashes(points, dash, gap):
    """Splits a polyline into dash polylines of length dash separated by gap."""
    segments, current = [], []
    drawing, left = True, dash
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        length = math.hypot(x1 - x0, y1 - y0)
        position = 0.0
        while length - position > 1e-9:
            take = min(left, length - position)
            f0, f1 = position / length, (position + take) / length
            start = (x0 + (x1 - x0) * f0, y0 + (y1 - y0) * f0)
            end = (x0 + (x1 - x0) * f1, y0 + (y1 - y0) * f1)
            if drawing:
                if not current:
                    current.append(start)
                current.append(end)
            position += take
            left -= take
            if left <= 1e-9:
                if drawing and current:
                    segments.append(current)
                current = []
                drawing = not drawing
                left = dash if drawing else gap
    if current:
        segments.append(current)
    return segments


class Canvas:
    """An RGBA picture of width x height final pixels, drawn SCALE times larger."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.image = Image.new("RGBA", (width * SCALE, height * SCALE), background)
        self.draw = ImageDraw.Draw(self.image)

    @staticmethod
    def scaled(values):
        return [v * SCALE for v in values]

    def layer(self):
        """A new transparent canvas of the same size, to be composited with paste_layer."""
        return Canvas(self.width, self.height)

    def paste_layer(self, other):
        self.image.alpha_composite(other.image)

    def rounded_rect(self, box, radius, fill=None, outline=None, width=0):
        self.draw.rounded_rectangle(self.scaled(box), radius * SCALE, fill=fill, outline=outline,
                                    width=int(round(width * SCALE)))

    def ellipse(self, box, fill=None, outline=None, width=0):
        self.draw.ellipse(self.scaled(box), fill=fill, outline=outline, width=int(round(width * SCALE)))

    def circle(self, centre, radius, fill=None, outline=None, width=0):
        x, y = centre
        self.ellipse((x - radius, y - radius, x + radius, y + radius), fill, outline, width)

    def polygon(self, points, fill=None):
        self.draw.polygon([(x * SCALE, y * SCALE) for x, y in points], fill=fill)

    def line(self, points, fill, width, round_caps=True):
        scaled = [(x * SCALE, y * SCALE) for x, y in points]
        self.draw.line(scaled, fill=fill, width=int(round(width * SCALE)), joint="curve")
        if round_caps:
            r = width * SCALE / 2
            for x, y in (scaled[0], scaled[-1]):
                self.draw.ellipse((x - r, y - r, x + r, y + r), fill=fill)

    def dashed(self, points, fill, width, dash, gap):
        for segment in dashes(points, dash, gap):
            self.line(segment, fill, width)

    def stitched_rect(self, box, radius, fill, width=1.6, dash=6.0, gap=4.0):
        """A dashed seam along a rounded rectangle, like a quilting stitch."""
        self.dashed(rounded_rect_path(box, radius), fill, width, dash, gap)

    def text(self, position, string, face, fill, anchor="mm", stroke=0, stroke_fill=None, spacing=0):
        x, y = position
        self.draw.text((x * SCALE, y * SCALE), string, font=face, fill=fill, anchor=anchor,
                       stroke_width=int(round(stroke * SCALE)), stroke_fill=stroke_fill,
                       spacing=spacing * SCALE, align="center")

    def text_width(self, string, face):
        left, _, right, _ = self.draw.textbbox((0, 0), string, font=face)
        return (right - left) / SCALE

    def fill_mask(self, mask_canvas, paint):
        """Paints an RGBA image (canvas sized) through the alpha of another canvas."""
        painted = paint.copy()
        painted.putalpha(mask_canvas.image.getchannel("A"))
        self.image.alpha_composite(painted)

    def shadow_of(self, shape_canvas, offset, blur, colour=NAVY_DARK, opacity=0.45):
        """Composites a soft shadow of a shape canvas's alpha onto this canvas."""
        alpha = shape_canvas.image.getchannel("A")
        alpha = alpha.point(lambda a: int(a * opacity))
        if blur > 0:
            alpha = alpha.filter(ImageFilter.GaussianBlur(blur * SCALE))
        shadow = Image.new("RGBA", self.image.size, rgba(colour))
        shadow.putalpha(alpha)
        moved = Image.new("RGBA", self.image.size, (0, 0, 0, 0))
        moved.paste(shadow, (int(offset[0] * SCALE), int(offset[1] * SCALE)))
        self.image.alpha_composite(moved)

    def result(self, matte=NAVY_DARK):
        """The final picture. Fully transparent pixels take the matte colour, so that
        filtering and mipmaps blend the edge towards the outline colour, not black."""
        small = self.image.convert("RGBa").resize((self.width, self.height), Image.Resampling.BOX)
        small = small.convert("RGBA")
        transparent = small.getchannel("A").point(lambda a: 255 if a == 0 else 0)
        matted = Image.new("RGBA", small.size, rgba(matte, 0))
        return Image.composite(matted, small, transparent)


def vertical_gradient(size, top, bottom):
    """An RGBA image (canvas size in canvas pixels) going from top to bottom colour."""
    width, height = size
    column = Image.new("RGBA", (1, height))
    for y in range(height):
        f = y / max(1, height - 1)
        column.putpixel((0, y), tuple(int(round(top[i] + (bottom[i] - top[i]) * f)) for i in range(3)) + (255,))
    return column.resize((width, height), Image.Resampling.NEAREST)


def horizontal_gradient(size, stops):
    """An RGBA image whose colour runs through stops [(fraction, colour), ...] from left to right."""
    width, height = size
    row = Image.new("RGBA", (width, 1))
    for x in range(width):
        f = x / max(1, width - 1)
        for (f0, c0), (f1, c1) in zip(stops, stops[1:]):
            if f0 <= f <= f1:
                g = (f - f0) / max(1e-9, f1 - f0)
                row.putpixel((x, 0), tuple(int(round(c0[i] + (c1[i] - c0[i]) * g)) for i in range(3)) + (255,))
                break
    return row.resize((width, height), Image.Resampling.NEAREST)
