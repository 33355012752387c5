#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace testSupport {

/// The bytes of a Windows bitmap with a 54-byte header. pixels holds the file's
/// pixel data as stored (bottom row first, 4 bytes B, G, R, A per pixel); the
/// header fields can be bent to build damaged files.
struct BmpBytes {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitsPerPixel = 32;
    std::uint32_t compression = 0;
    std::uint32_t pixelOffset = 54;
    std::vector<std::uint8_t> pixels;

    std::string build() const {
        std::size_t end = pixelOffset + pixels.size();
        std::string bytes(end > 54 ? end : 54, '\0');
        bytes[0] = 'B';
        bytes[1] = 'M';
        put(bytes, 2, static_cast<std::uint32_t>(pixelOffset + pixels.size()), 4);
        put(bytes, 10, pixelOffset, 4);
        put(bytes, 14, 40, 4);
        put(bytes, 18, static_cast<std::uint32_t>(width), 4);
        put(bytes, 22, static_cast<std::uint32_t>(height), 4);
        put(bytes, 26, 1, 2);
        put(bytes, 28, bitsPerPixel, 2);
        put(bytes, 30, compression, 4);
        std::copy(pixels.begin(), pixels.end(), bytes.begin() + pixelOffset);
        return bytes;
    }

    static void put(std::string& bytes, std::size_t at, std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
};

/// A 2 x 2 picture: top-left red, top-right green, bottom-left blue (the first
/// pixel stored), bottom-right half-transparent white.
inline BmpBytes twoByTwoPicture() {
    BmpBytes bmp;
    bmp.width = 2;
    bmp.height = 2;
    bmp.pixels = {
        0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x80,  // bottom row: blue, white (alpha 0x80)
        0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF,  // top row: red, green
    };
    return bmp;
}

}  // namespace testSupport
