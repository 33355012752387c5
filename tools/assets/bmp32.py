"""32-bit BMP files with a real alpha channel, the one image format the game reads.

The game's loader reads the pixel data offset, the width and the height, then
width x height pixels of 4 bytes (blue, green, red, alpha), rows bottom-up and
unpadded. We write a BITMAPV4 header with BI_BITFIELDS masks so that other
viewers also see the alpha channel.
"""

import struct

from PIL import Image

FILE_HEADER_SIZE = 14
V4_HEADER_SIZE = 108
BI_BITFIELDS = 3
LCS_SRGB = 0x73524742  # 'sRGB'
PIXELS_PER_METRE = 2835  # 72 dpi, for viewers that care


def write_bmp(path, image):
    """Writes an RGBA PIL image as a bottom-up 32-bit BMP (B, G, R, A bytes)."""
    image = image.convert("RGBA")
    width, height = image.size
    pixels = image.transpose(Image.Transpose.FLIP_TOP_BOTTOM).tobytes("raw", "BGRA")
    offset = FILE_HEADER_SIZE + V4_HEADER_SIZE
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info_header = struct.pack(
        "<IiiHHIIiiII4I",
        V4_HEADER_SIZE, width, height, 1, 32, BI_BITFIELDS, len(pixels),
        PIXELS_PER_METRE, PIXELS_PER_METRE, 0, 0,
        0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    # Colour space type, then endpoints and gamma, unused for sRGB.
    info_header += struct.pack("<I", LCS_SRGB) + bytes(V4_HEADER_SIZE - len(info_header) - 4)
    assert len(info_header) == V4_HEADER_SIZE
    with open(path, "wb") as out:
        out.write(file_header + info_header + pixels)


def read_bmp(path):
    """Reads a file the way the game's loader does; returns an RGBA PIL image (row 0 = top)."""
    with open(path, "rb") as source:
        data = source.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, compression = struct.unpack_from("<HI", data, 28)
    if bits != 32 or compression not in (0, BI_BITFIELDS) or width <= 0 or height <= 0:
        raise ValueError(f"{path}: not a bottom-up 32-bit uncompressed BMP")
    size = width * height * 4
    if offset + size > len(data):
        raise ValueError(f"{path}: pixel data runs past the end of the file")
    bottom_up = Image.frombytes("RGBA", (width, height), data[offset:offset + size], "raw", "BGRA")
    return bottom_up.transpose(Image.Transpose.FLIP_TOP_BOTTOM)
