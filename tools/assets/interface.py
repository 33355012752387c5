"""Overlay pictures: menu buttons, cursors, the title, the tack icon, the timer
digits and the finish banner. All have a real alpha channel: transparent around
the shape, opaque inside, with soft edges."""

import math

from PIL import Image

from drawing import (CORAL, CORAL_DARK, CORAL_LIGHT, CREAM, CREAM_SHADE, GOLD, GOLD_LIGHT, INDIGO, INK,
                     NAVY, NAVY_DARK, SCALE, STEEL, TEAL, TEAL_DARK, WHITE, Canvas, font, rgba,
                     vertical_gradient)

BUTTON_SIZE = (256, 64)
# The Levels button beside Play is narrower; its clickable box is its picture's width.
LEVELS_BUTTON_SIZE = (160, 64)
# The menu accepts clicks from 30 px above to 20 px below a button's centre, so
# the button body fills exactly those rows and a shadow fills the rest.
BUTTON_BODY_ROWS = (2, 52)


def button(label, size=BUTTON_SIZE):
    width, height = size
    canvas = Canvas(width, height)
    body_box = (2, BUTTON_BODY_ROWS[0], width - 2, BUTTON_BODY_ROWS[1])
    body = canvas.layer()
    body.rounded_rect(body_box, 14, fill=rgba(WHITE))
    canvas.shadow_of(body, (0, 4), 2.5, opacity=0.55)
    paint = vertical_gradient(canvas.image.size, CORAL_LIGHT, CORAL_DARK)
    canvas.fill_mask(body, paint)
    left, top, right, bottom = body_box
    canvas.rounded_rect(body_box, 14, outline=rgba(CORAL_DARK), width=2)
    canvas.line([(left + 14, top + 3.5), (right - 14, top + 3.5)], rgba(WHITE, 70), 1.5)
    canvas.stitched_rect((left + 6, top + 6, right - 6, bottom - 6), 9, rgba(CREAM, 230), width=1.6)
    face = font("DejaVuSans-Bold", 25)
    centre = ((left + right) / 2, (top + bottom) / 2 + 0.5)
    canvas.text((centre[0], centre[1] + 1.8), label, face, rgba(NAVY_DARK, 150))
    canvas.text(centre, label, face, rgba(CREAM))
    return canvas.result(CORAL_DARK)


# A cursor picture is drawn with the default repeat wrapping, so its sampling
# at one edge reaches over to the opposite edge: its outermost rows and columns
# stay transparent, and its hot spot is the pixel (1, 1) just inside the corner.
CURSOR_SIZE = 32
HOT_SPOT = (1, 1)

# Arrow outline in cursor pixels, tip on the hot spot.
ARROW = [(1.6, 1.6), (1.6, 24), (7, 19.2), (11, 28.5), (15, 26.8), (11.1, 18), (18, 18), (1.6, 1.6)]


def _clear_edges(picture):
    """The picture with its outermost rows and columns fully transparent."""
    alpha = picture.getchannel("A")
    last = CURSOR_SIZE - 1
    for i in range(CURSOR_SIZE):
        for x, y in ((i, 0), (i, last), (0, i), (last, i)):
            alpha.putpixel((x, y), 0)
    picture.putalpha(alpha)
    return picture


def arrow_cursor(fill, outline):
    canvas = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    shape = canvas.layer()
    shape.polygon(ARROW, fill=rgba(WHITE))
    shape.line(ARROW, rgba(WHITE), 2.0)
    canvas.shadow_of(shape, (1.5, 1.5), 1.0, colour=INK, opacity=0.4)
    canvas.polygon(ARROW, fill=rgba(fill))
    canvas.line(ARROW, rgba(outline), 1.6)
    return _clear_edges(canvas.result(outline))


def grab_cursor():
    """A closed hand whose curled fingers hold the hot spot by the top-left corner."""
    outline = NAVY_DARK
    # Drawn upright on a larger local canvas, turned so that the knuckles face
    # the top-left, then placed against that corner.
    local = Canvas(40, 40)
    fingers = [(12.0, 11.0), (16.6, 10.0), (21.2, 10.4), (25.6, 11.8)]
    local.rounded_rect((9.5, 13.5, 29.0, 31.0), 6.5, fill=rgba(outline))
    for x, y in fingers:
        local.rounded_rect((x - 3.1, y - 1.6, x + 3.1, y + 8.0), 3.1, fill=rgba(outline))
    local.rounded_rect((5.0, 16.5, 14.0, 23.5), 3.5, fill=rgba(outline))
    inner = Canvas(40, 40)
    inner.rounded_rect((11.0, 15.0, 27.5, 29.5), 5.0, fill=rgba(WHITE))
    for x, y in fingers:
        inner.rounded_rect((x - 1.7, y - 0.2, x + 1.7, y + 6.6), 1.7, fill=rgba(WHITE))
    inner.rounded_rect((6.5, 18.0, 13.5, 22.0), 2.0, fill=rgba(WHITE))
    for x, _ in fingers[:3]:
        inner.line([(x + 2.3, 13.2), (x + 2.3, 15.8)], rgba(outline), 1.0)
    local.image.alpha_composite(inner.image)
    turned = local.image.rotate(14, resample=Image.Resampling.BICUBIC)
    turned = turned.crop(turned.getchannel("A").point(lambda a: 255 if a > 24 else 0).getbbox())
    hand = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    hand.image.paste(turned, tuple(Canvas.scaled(HOT_SPOT)), turned)
    canvas = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    canvas.shadow_of(hand, (1.5, 1.5), 1.0, colour=INK, opacity=0.4)
    canvas.paste_layer(hand)
    return _clear_edges(canvas.result(outline))


def _cylinder_paint(size, light, base, dark):
    """Horizontal shading of a round body lit from the upper left."""
    from drawing import horizontal_gradient
    return horizontal_gradient(size, [(0.0, dark), (0.28, light), (0.55, base), (1.0, dark)])


def tack():
    """A push pin, tilted, its needle towards the lower left; 64 x 64."""
    size = 64
    pin = Canvas(size, size)
    # Upright pin around x = 32: cap, waist, base disc, then the needle.
    body = pin.layer()
    body.ellipse((15, 6, 49, 18), fill=rgba(WHITE))
    body.rounded_rect((15, 12, 49, 20), 4, fill=rgba(WHITE))
    body.polygon([(23, 18), (41, 18), (37.5, 34), (26.5, 34)], fill=rgba(WHITE))
    body.ellipse((17, 30, 47, 40), fill=rgba(WHITE))
    needle = pin.layer()
    needle.polygon([(30.6, 37), (33.4, 37), (32.5, 58), (32, 61), (31.5, 58)], fill=rgba(WHITE))
    pin.fill_mask(needle, _cylinder_paint(pin.image.size, (240, 244, 250), STEEL, (96, 104, 118)))
    outline = pin.layer()
    outline.image = body.image.copy()
    pin.fill_mask(body, _cylinder_paint(pin.image.size, CORAL_LIGHT, CORAL, CORAL_DARK))
    # Lit top face of the cap, and a rim line between cap and waist.
    pin.ellipse((17, 7, 47, 16.5), fill=rgba(CORAL_LIGHT))
    pin.ellipse((21, 8.5, 33, 12.5), fill=rgba(WHITE, 150))
    pin.line([(17, 19.2), (47, 19.2)], rgba(CORAL_DARK, 200), 1.2)
    pin.line([(21, 31.5), (43, 31.5)], rgba(CORAL_DARK, 120), 1.0)
    turned = pin.image.rotate(-32, resample=Image.Resampling.BICUBIC)
    shaped = Canvas(size, size)
    shaped.image = turned
    canvas = Canvas(size, size)
    canvas.shadow_of(shaped, (2.0, 2.5), 1.5, colour=INK, opacity=0.45)
    canvas.paste_layer(shaped)
    return canvas.result(CORAL_DARK)


DIGIT_SIZE = 32
DIGIT_BASELINE = 28.5  # pixels from the top; digits stand 25 px high above it


def _digit_face():
    return font("DejaVuSans-Bold", 34)


def digit(character):
    canvas = Canvas(DIGIT_SIZE, DIGIT_SIZE)
    canvas.text((DIGIT_SIZE / 2, DIGIT_BASELINE), character, _digit_face(), rgba(NAVY),
                anchor="ms", stroke=1.5, stroke_fill=rgba(CREAM))
    return canvas.result(CREAM)


def dot():
    canvas = Canvas(DIGIT_SIZE, DIGIT_SIZE)
    canvas.circle((DIGIT_SIZE / 2, DIGIT_BASELINE - 3.6), 5.4, fill=rgba(CREAM))
    canvas.circle((DIGIT_SIZE / 2, DIGIT_BASELINE - 3.6), 3.9, fill=rgba(NAVY))
    return canvas.result(CREAM)


def _lettering(canvas, centre, string, face, outline_width, shadow=(3, 4)):
    """Gold lettering with a dark outline and a soft drop shadow."""
    shape = canvas.layer()
    shape.text(centre, string, face, rgba(WHITE), stroke=outline_width, stroke_fill=rgba(WHITE))
    canvas.shadow_of(shape, shadow, 2.5, opacity=0.6)
    canvas.text(centre, string, face, rgba(NAVY_DARK), stroke=outline_width, stroke_fill=rgba(NAVY_DARK))
    letters = canvas.layer()
    letters.text(centre, string, face, rgba(WHITE))
    _, top, _, bottom = letters.image.getchannel("A").getbbox()
    paint = Image.new("RGBA", canvas.image.size, rgba(GOLD))
    paint.paste(vertical_gradient((canvas.image.size[0], bottom - top), GOLD_LIGHT, (232, 146, 48)), (0, top))
    canvas.fill_mask(letters, paint)


def fitted_font(name, string, largest, width):
    """The largest size of a face, at most largest, whose rendering of string fits width pixels."""
    probe = Canvas(8, 8)
    size = largest
    while size > 8 and probe.text_width(string, font(name, size)) > width:
        size -= 1
    return font(name, size)


def title():
    canvas = Canvas(512, 128)
    face = fitted_font("DejaVuSerif-Bold", "Quilt Rush", 84, 470)
    _lettering(canvas, (254, 60), "Quilt Rush", face, 4.5)
    canvas.dashed([(70, 112), (442, 112)], rgba(CREAM, 230), 2.2, 9, 6)
    return canvas.result(NAVY_DARK)


def _shaded_panel(canvas, box, radius, shadow, blur, top, bottom):
    """A rounded panel with a soft drop shadow, shaded from top to bottom colour; returns its shape."""
    shape = canvas.layer()
    shape.rounded_rect(box, radius, fill=rgba(WHITE))
    canvas.shadow_of(shape, shadow, blur, opacity=0.5)
    canvas.fill_mask(shape, vertical_gradient(canvas.image.size, top, bottom))
    return shape


FINISH_SIZE = (512, 256)
# The game writes the run time across the centre, from 12 px above to 20 px
# below it (rows 116 to 148), up to 11 characters wide: this band stays plain.
TIME_BAND = (44, 100, 468, 164)


def finish():
    width, height = FINISH_SIZE
    canvas = Canvas(width, height)
    banner_box = (6, 6, width - 6, height - 8)
    shape = _shaded_panel(canvas, banner_box, 28, (0, 4), 3, INDIGO, NAVY)
    # Diagonal quilting seams, clipped to the banner.
    seams = canvas.layer()
    for k in range(-height, width + height, 40):
        seams.dashed([(k, 0), (k + height, height)], rgba(WHITE, 40), 1.4, 5, 4)
        seams.dashed([(k, height), (k + height, 0)], rgba(WHITE, 40), 1.4, 5, 4)
    clipped = Image.new("RGBA", canvas.image.size, (0, 0, 0, 0))
    clipped.paste(seams.image, (0, 0), shape.image.getchannel("A"))
    canvas.image.alpha_composite(clipped)
    canvas.rounded_rect(banner_box, 28, outline=rgba(GOLD), width=3)
    left, top, right, bottom = banner_box
    canvas.stitched_rect((left + 9, top + 9, right - 9, bottom - 9), 20, rgba(CREAM, 220), width=1.8)
    _lettering(canvas, (256, 56), "Finish!", font("DejaVuSans-Bold", 58), 4, shadow=(2, 3))
    for x in (96, 416):
        pin = tack().resize((44, 44), Image.Resampling.LANCZOS)
        canvas.image.alpha_composite(pin.resize((44 * SCALE, 44 * SCALE), Image.Resampling.BICUBIC),
                                     (int((x - 22) * SCALE), int(32 * SCALE)))
    band = canvas.layer()
    band.rounded_rect(TIME_BAND, 14, fill=rgba(WHITE))
    canvas.shadow_of(band, (0, 2), 2, opacity=0.5)
    canvas.rounded_rect(TIME_BAND, 14, fill=rgba(CREAM), outline=rgba(CREAM_SHADE), width=2)
    canvas.text((256, 205), "Quilt Rush", font("DejaVuSerif-Bold", 30), rgba(CREAM),
                stroke=2, stroke_fill=rgba(NAVY_DARK))
    return canvas.result(NAVY_DARK)


BEST_SIZE = (512, 64)
# The game draws the best time in 28 px characters centred on this band (its
# centre is 82 px right of the plate's), up to 11 characters (308 px) wide.
BEST_BAND = (176, 10, 500, 54)


def _best_plate(label, top, bottom, outline, lettering, label_size):
    """The plate under the finish banner: a label on the left, a plain band for the time."""
    width, height = BEST_SIZE
    canvas = Canvas(width, height)
    body_box = (4, 3, width - 4, height - 5)
    _shaded_panel(canvas, body_box, 18, (0, 3), 2, top, bottom)
    canvas.rounded_rect(body_box, 18, outline=rgba(outline), width=2.5)
    band = canvas.layer()
    band.rounded_rect(BEST_BAND, 12, fill=rgba(WHITE))
    canvas.shadow_of(band, (0, 1.5), 1.5, opacity=0.5)
    canvas.rounded_rect(BEST_BAND, 12, fill=rgba(CREAM), outline=rgba(CREAM_SHADE), width=2)
    face = fitted_font("DejaVuSans-Bold", label, label_size, BEST_BAND[0] - 26)
    canvas.text(((BEST_BAND[0] + 8) / 2 + 2, height / 2 - 0.5), label, face, rgba(lettering),
                stroke=1.5, stroke_fill=rgba(NAVY_DARK))
    return canvas.result(NAVY_DARK)


def best():
    return _best_plate("Best", INDIGO, NAVY, GOLD, GOLD_LIGHT, 28)


def new_best():
    return _best_plate("New best!", CORAL_LIGHT, CORAL_DARK, GOLD_LIGHT, CREAM, 26)
