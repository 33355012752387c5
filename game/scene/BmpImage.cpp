#include "game/scene/BmpImage.h"

#include <fstream>
#include <sstream>

#include "game/scene/LittleEndian.h"

// Only the header fields the game needs are read. Every size taken from the
// header is checked against the limits and against the stream's real length
// before anything is allocated, so a damaged or hostile file can neither make
// us allocate a huge buffer nor read past its end.

namespace quiltRush {

namespace {

constexpr std::size_t kPixelOffsetAt = 10;
constexpr std::size_t kWidthAt = 18;
constexpr std::size_t kHeightAt = 22;
constexpr std::size_t kBitsPerPixelAt = 28;
constexpr std::size_t kCompressionAt = 30;
constexpr std::uint16_t kBitsPerPixel = 32;
constexpr std::uint64_t kBytesPerPixel = 4;

// The stream's length from its start, or -1 when it cannot be measured.
std::int64_t streamLength(std::istream& in) {
    in.seekg(0, std::ios::end);
    std::streamoff end = in.tellg();
    in.seekg(0, std::ios::beg);
    if (!in || end < 0) return -1;
    return end;
}

}  // namespace

std::optional<BmpImage> BmpImage::read(std::istream& in) {
    std::int64_t fileSize = streamLength(in);
    if (fileSize < static_cast<std::int64_t>(kHeaderBytes)) return std::nullopt;

    unsigned char header[kHeaderBytes];
    if (!in.read(reinterpret_cast<char*>(header), kHeaderBytes)) return std::nullopt;
    if (header[0] != 'B' || header[1] != 'M') return std::nullopt;

    std::uint32_t pixelOffset = littleEndian(header + kPixelOffsetAt, 4);
    auto width = static_cast<std::int32_t>(littleEndian(header + kWidthAt, 4));
    auto height = static_cast<std::int32_t>(littleEndian(header + kHeightAt, 4));
    auto bitsPerPixel = static_cast<std::uint16_t>(littleEndian(header + kBitsPerPixelAt, 2));
    std::uint32_t compression = littleEndian(header + kCompressionAt, 4);

    // A negative height would be a top-down image: not supported, refused.
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return std::nullopt;
    if (bitsPerPixel != kBitsPerPixel) return std::nullopt;
    if (compression != kCompressionNone && compression != kCompressionBitFields) return std::nullopt;

    std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * kBytesPerPixel;
    std::uint64_t pixelBytes = rowBytes * static_cast<std::uint64_t>(height);
    if (static_cast<std::uint64_t>(pixelOffset) + pixelBytes > static_cast<std::uint64_t>(fileSize)) {
        return std::nullopt;
    }

    BmpImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(pixelBytes);
    in.seekg(pixelOffset, std::ios::beg);
    // The file stores the bottom row first; row 0 of the image is the top.
    for (std::int32_t row = height - 1; row >= 0; --row) {
        char* target = reinterpret_cast<char*>(image.pixels.data() + rowBytes * row);
        if (!in.read(target, static_cast<std::streamsize>(rowBytes))) return std::nullopt;
    }
    return image;
}

std::optional<BmpImage> BmpImage::decode(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kHeaderBytes) return std::nullopt;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    return read(in);
}

std::optional<BmpImage> BmpImage::readFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return std::nullopt;
    return read(in);
}

}  // namespace quiltRush
