#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace quiltRush {

/// A decoded 32-bit bottom-up Windows bitmap: width x height pixels, 4 bytes
/// each in the order blue, green, red, alpha; row 0 is the picture's top row.
/// Plain C++ (no GL), so tests and fuzzers can run it without a window.
class BmpImage {
public:
    static constexpr std::int32_t kMaxSide = 8192;          // pixels, either side
    static constexpr std::size_t kHeaderBytes = 34;         // up to the end of the compression field
    static constexpr std::uint32_t kCompressionNone = 0;    // BI_RGB
    static constexpr std::uint32_t kCompressionBitFields = 3;  // BI_BITFIELDS; the masks are not read

    /// Decodes from the stream's start to its end (the stream must be seekable).
    /// Empty unless the file begins with "BM", its header is complete, the size
    /// is 1..8192 on both sides, it has 32 bits per pixel with compression 0 or 3,
    /// and offset + width * height * 4 bytes of pixel data lie inside it.
    static std::optional<BmpImage> read(std::istream& in);
    static std::optional<BmpImage> decode(const std::uint8_t* data, std::size_t size);
    /// Empty also when the file cannot be opened.
    static std::optional<BmpImage> readFile(const std::string& fileName);

    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    /// width * height * 4 bytes, top row first.
    const std::vector<std::uint8_t>& getPixels() const { return pixels; }

private:
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;
};

}  // namespace quiltRush
