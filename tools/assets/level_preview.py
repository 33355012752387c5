#!/usr/bin/env python3
"""Turns a frame of a level's start view (a 640 x 480 PPM from
quiltrush-screenshots) into the level screen's picture of that level: a
160 x 120 opaque 32-bit BMP.

    python3 tools/assets/level_preview.py FRAME.ppm assets/levels/NAME/preview.bmp
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

from PIL import Image  # noqa: E402

from bmp32 import write_bmp  # noqa: E402

PREVIEW_SIZE = (160, 120)  # the level screen's picture, pixels


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: level_preview.py FRAME.ppm PREVIEW.bmp")
    frame, preview = sys.argv[1:]
    picture = Image.open(frame).convert("RGBA").resize(PREVIEW_SIZE, Image.Resampling.LANCZOS)
    os.makedirs(os.path.dirname(preview) or ".", exist_ok=True)
    write_bmp(preview, picture)


if __name__ == "__main__":
    main()
