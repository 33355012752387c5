#!/usr/bin/env python3
"""Paints every image of Quilt Rush and writes it as a 32-bit BMP under assets/,
and the desktop menu's icons as PNG files under packaging/icons/; synthesises
every sound and writes it as a 16-bit WAV under assets/sounds/.

    apt-get install python3-pil fonts-dejavu-core
    python3 tools/assets/generate_assets.py

Run from anywhere; the output is deterministic. After writing, every file is
read back the way the game reads it and checked: size, alpha where a picture
needs it, the cursors' transparent edges and hot spot, the sky box seams and the folder's total size.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

try:
    from PIL import Image  # noqa: F401  (checked here so that the message is plain)
except ImportError:
    raise SystemExit("Pillow is missing: apt-get install python3-pil (and run Debian's python3)")

import bmp32  # noqa: E402
import cards  # noqa: E402
import icons  # noqa: E402
import interface  # noqa: E402
import skybox  # noqa: E402
import sounds  # noqa: E402
import textures  # noqa: E402
from drawing import GOLD, INK, NAVY_DARK, WHITE  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(HERE))
ASSETS = os.path.join(ROOT, "assets")
MAX_ASSET_BYTES = 8 * 1024 * 1024
MAX_SOUND_BYTES = 1024 * 1024
# Texels on either side of a sky box edge look one texel apart, so their colours
# may differ by a smooth step; a wrongly oriented face differs far more.
MAX_SEAM_STEP = 16

OPAQUE, CUTOUT = "opaque", "cutout"


def image_table():
    """(path under assets/, size, alpha kind, painter) for every image of the game."""
    table = [
        ("buttons/new.bmp", (256, 64), CUTOUT, lambda: interface.button("Play")),
        ("buttons/manual.bmp", (256, 64), CUTOUT, lambda: interface.button("Manual")),
        ("buttons/credits.bmp", (256, 64), CUTOUT, lambda: interface.button("Credits")),
        ("buttons/exit.bmp", (256, 64), CUTOUT, lambda: interface.button("Exit")),
        ("buttons/levels.bmp", interface.LEVELS_BUTTON_SIZE, CUTOUT,
         lambda: interface.button("Levels", interface.LEVELS_BUTTON_SIZE)),
        ("cursors/menuCursor.bmp", (32, 32), CUTOUT, lambda: interface.arrow_cursor(GOLD, NAVY_DARK)),
        ("cursors/cursor1.bmp", (32, 32), CUTOUT, lambda: interface.arrow_cursor(WHITE, INK)),
        ("cursors/cursor2.bmp", (32, 32), CUTOUT, interface.grab_cursor),
        ("gameImages/tack.bmp", (64, 64), CUTOUT, interface.tack),
        ("gameImages/finish.bmp", (512, 256), CUTOUT, interface.finish),
        ("gameImages/best.bmp", (512, 64), CUTOUT, interface.best),
        ("gameImages/newBest.bmp", (512, 64), CUTOUT, interface.new_best),
        ("menuImages/backGround.bmp", (512, 512), OPAQUE, textures.backdrop),
        ("menuImages/title.bmp", (512, 128), CUTOUT, interface.title),
        ("menuImages/keys.bmp", (256, 256), CUTOUT, cards.keys_card),
        ("menuImages/select.bmp", (256, 256), CUTOUT, cards.select_card),
        ("menuImages/rotate.bmp", (256, 256), CUTOUT, cards.rotate_card),
        ("menuImages/zoom.bmp", (256, 256), CUTOUT, cards.zoom_card),
        ("menuImages/fix.bmp", (256, 256), CUTOUT, cards.fix_card),
        ("menuImages/credits.bmp", (256, 256), CUTOUT, cards.credits_card),
        ("models/cloth.bmp", (256, 256), OPAQUE, textures.cloth),
        ("models/scene.bmp", (256, 256), OPAQUE, textures.wood),
    ]
    for d in range(10):
        table.append((f"numbers/{d}.bmp", (32, 32), CUTOUT, lambda d=d: interface.digit(str(d))))
    table.append(("numbers/dot.bmp", (32, 32), CUTOUT, interface.dot))
    size = skybox.FACE_SIZE
    for face in skybox.FACE_CORNERS:
        table.append((f"skybox/{face}.bmp", (size, size), OPAQUE, lambda face=face: skybox.render_face(face)))
    return table


def check_alpha(path, image, kind):
    alpha = image.getchannel("A")
    low, high = alpha.getextrema()
    if kind == OPAQUE and low != 255:
        raise SystemExit(f"{path}: must be opaque everywhere")
    if kind == CUTOUT:
        corners = [alpha.getpixel(p) for p in ((0, image.height - 1), (image.width - 1, 0),
                                                (image.width - 1, image.height - 1))]
        if high != 255 or any(corners):
            raise SystemExit(f"{path}: must be opaque inside and transparent around")


def check_cursor(path, image):
    """Repeat wrapping blends a cursor's edges into each other: they must stay
    transparent. An arrow's tip is the hot spot, just inside the top-left corner."""
    alpha = image.getchannel("A")
    last = image.width - 1
    if any(alpha.getpixel(p) for i in range(image.width) for p in ((i, 0), (i, last), (0, i), (last, i))):
        raise SystemExit(f"{path}: a cursor's outermost pixels must be transparent")
    if path != "cursors/cursor2.bmp" and alpha.getpixel(interface.HOT_SPOT) < 128:
        raise SystemExit(f"{path}: the arrow's tip must sit on the pixel {interface.HOT_SPOT}")


def check_image(path, expected_size, kind, written):
    loaded = bmp32.read_bmp(os.path.join(ASSETS, path))
    if loaded.size != expected_size:
        raise SystemExit(f"{path}: size {loaded.size}, expected {expected_size}")
    if loaded.tobytes() != written.tobytes():
        raise SystemExit(f"{path}: does not read back as written")
    check_alpha(path, loaded, kind)
    if path.startswith("cursors/"):
        check_cursor(path, loaded)


def folder_bytes(folder):
    total = 0
    for directory, _, files in os.walk(folder):
        total += sum(os.path.getsize(os.path.join(directory, name)) for name in files)
    return total


def write_sounds():
    for path, make in sounds.sound_table():
        samples = make()
        target = os.path.join(ASSETS, path)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        sounds.write_wav(target, samples)
        sounds.check_wav(target, samples)
        print(f"wrote assets/{path} ({len(samples) / sounds.RATE:.2f} s, {os.path.getsize(target)} bytes)")
    total = folder_bytes(os.path.join(ASSETS, "sounds"))
    if total >= MAX_SOUND_BYTES:
        raise SystemExit(f"assets/sounds/ holds {total} bytes, over the {MAX_SOUND_BYTES} byte budget")
    print(f"assets/sounds/ holds {total} bytes")


def main():
    faces = {}
    for path, size, kind, paint in image_table():
        image = paint()
        target = os.path.join(ASSETS, path)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        bmp32.write_bmp(target, image)
        check_image(path, size, kind, image)
        if path.startswith("skybox/"):
            faces[os.path.splitext(os.path.basename(path))[0]] = image
        print(f"wrote assets/{path} ({size[0]} x {size[1]})")
    seam = skybox.max_seam_difference(faces)
    if seam > MAX_SEAM_STEP:
        raise SystemExit(f"sky box faces do not meet: colour step {seam} across an edge")
    print(f"sky box: largest colour step across a face edge {seam} (limit {MAX_SEAM_STEP})")
    write_sounds()
    total = folder_bytes(ASSETS)
    if total >= MAX_ASSET_BYTES:
        raise SystemExit(f"assets/ holds {total} bytes, over the {MAX_ASSET_BYTES} byte budget")
    print(f"assets/ holds {total / 1024 / 1024:.2f} MiB")
    for path in icons.write_icons(os.path.join(ROOT, "packaging", "icons")):
        print(f"wrote {os.path.relpath(path, ROOT)} (the menu icon)")


if __name__ == "__main__":
    main()
