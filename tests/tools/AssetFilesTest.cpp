// Checks the shipped images the way the game's texture loader will meet them:
// every file is present, is a bottom-up 32-bit BMP whose pixel data lies inside
// the file, has the size its screen draws it at, and carries the alpha its use
// needs. Plain file reading: no GL and no game code.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/ScopedTempDir.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kMaxAssetBytes = 8u * 1024u * 1024u;
constexpr std::int32_t kMaxSide = 8192;  // pixels; larger sides are surely corrupt headers
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

enum class Alpha { Opaque, Cutout };

struct ShippedImage {
    const char* path;  // relative to the project root
    int width;
    int height;
    Alpha alpha;
};

const std::vector<ShippedImage>& shippedImages() {
    static const std::vector<ShippedImage> images = {
        {"assets/buttons/new.bmp", 256, 64, Alpha::Cutout},
        {"assets/buttons/manual.bmp", 256, 64, Alpha::Cutout},
        {"assets/buttons/credits.bmp", 256, 64, Alpha::Cutout},
        {"assets/buttons/exit.bmp", 256, 64, Alpha::Cutout},
        {"assets/cursors/menuCursor.bmp", 32, 32, Alpha::Cutout},
        {"assets/cursors/cursor1.bmp", 32, 32, Alpha::Cutout},
        {"assets/cursors/cursor2.bmp", 32, 32, Alpha::Cutout},
        {"assets/gameImages/tack.bmp", 64, 64, Alpha::Cutout},
        {"assets/gameImages/finish.bmp", 512, 256, Alpha::Cutout},
        {"assets/menuImages/backGround.bmp", 512, 512, Alpha::Opaque},
        {"assets/menuImages/title.bmp", 512, 128, Alpha::Cutout},
        {"assets/menuImages/keys.bmp", 256, 256, Alpha::Cutout},
        {"assets/menuImages/select.bmp", 256, 256, Alpha::Cutout},
        {"assets/menuImages/rotate.bmp", 256, 256, Alpha::Cutout},
        {"assets/menuImages/zoom.bmp", 256, 256, Alpha::Cutout},
        {"assets/menuImages/fix.bmp", 256, 256, Alpha::Cutout},
        {"assets/menuImages/credits.bmp", 256, 256, Alpha::Cutout},
        {"assets/models/cloth.bmp", 256, 256, Alpha::Opaque},
        {"assets/models/scene.bmp", 256, 256, Alpha::Opaque},
        {"assets/numbers/0.bmp", 32, 32, Alpha::Cutout},
        {"assets/numbers/1.bmp", 32, 32, Alpha::Cutout},
        {"assets/numbers/2.bmp", 32, 32, Alpha::Cutout},
        {"assets/numbers/3.bmp", 32, 32, Alpha::Cutout},
        {"assets/numbers/4.bmp", 32, 32, Alpha::Cutout},
        {"assets/numbers/5.bmp", 32, 32, Alpha::Cutout},
        {"assets/numbers/6.bmp", 32, 32, Alpha::Cutout},
        {"assets/numbers/7.bmp", 32, 32, Alpha::Cutout},
        {"assets/numbers/8.bmp", 32, 32, Alpha::Cutout},
        {"assets/numbers/9.bmp", 32, 32, Alpha::Cutout},
        {"assets/numbers/dot.bmp", 32, 32, Alpha::Cutout},
        {"assets/skybox/front.bmp", 256, 256, Alpha::Opaque},
        {"assets/skybox/back.bmp", 256, 256, Alpha::Opaque},
        {"assets/skybox/left.bmp", 256, 256, Alpha::Opaque},
        {"assets/skybox/right.bmp", 256, 256, Alpha::Opaque},
        {"assets/skybox/top.bmp", 256, 256, Alpha::Opaque},
        {"assets/skybox/bottom.bmp", 256, 256, Alpha::Opaque},
    };
    return images;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t u32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::uint16_t u16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

/// A 32-bit bottom-up BMP as the loader reads it; problem is empty when it loads.
struct Bitmap {
    std::string problem;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string bytes;
    std::uint32_t pixelOffset = 0;

    /// Alpha of the pixel at column x, picture row y (row 0 is the top).
    unsigned alphaAt(int x, int y) const {
        const std::size_t fileRow = static_cast<std::size_t>(height - 1 - y);
        const std::size_t at = pixelOffset + (fileRow * static_cast<std::size_t>(width) + x) * 4 + 3;
        return static_cast<unsigned char>(bytes[at]);
    }
};

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;

Bitmap readBitmap(const std::string& path) {
    Bitmap bitmap;
    bitmap.bytes = readFile(path);
    const std::string& b = bitmap.bytes;
    if (b.empty()) {
        bitmap.problem = "missing or empty";
        return bitmap;
    }
    if (b.size() < kFileHeaderBytes + kInfoHeaderBytes) {
        bitmap.problem = "shorter than its headers";
        return bitmap;
    }
    if (b[0] != 'B' || b[1] != 'M') {
        bitmap.problem = "does not start with BM";
        return bitmap;
    }
    bitmap.pixelOffset = u32(b, 10);
    const std::uint32_t headerSize = u32(b, 14);
    bitmap.width = static_cast<std::int32_t>(u32(b, 18));
    bitmap.height = static_cast<std::int32_t>(u32(b, 22));
    const std::uint16_t bitsPerPixel = u16(b, 28);
    const std::uint32_t compression = u32(b, 30);
    if (headerSize < kInfoHeaderBytes || kFileHeaderBytes + headerSize > bitmap.pixelOffset) {
        bitmap.problem = "pixel data overlaps the headers";
    } else if (bitmap.width < 1 || bitmap.width > kMaxSide || bitmap.height < 1 || bitmap.height > kMaxSide) {
        bitmap.problem = "width or height outside 1..8192 (top-down or corrupt)";
    } else if (bitsPerPixel != 32) {
        bitmap.problem = "not 32 bits per pixel";
    } else if (compression != kBiRgb && compression != kBiBitfields) {
        bitmap.problem = "compressed";
    } else if (bitmap.pixelOffset + static_cast<std::uint64_t>(bitmap.width) * bitmap.height * 4 > b.size()) {
        bitmap.problem = "pixel data runs past the end of the file";
    }
    return bitmap;
}

std::string rootPath(const char* relative) { return testSupport::sourceDir() + "/" + relative; }

/// A minimal BMP file: 40-byte header, opaque white pixels (a negative height means top-down).
std::string makeBitmap(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression) {
    auto put32 = [](std::string& s, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    std::string s = "BM";
    const std::uint32_t pixels = static_cast<std::uint32_t>(width * (height < 0 ? -height : height) * 4);
    put32(s, 54 + pixels);
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, static_cast<std::uint32_t>(width));
    put32(s, static_cast<std::uint32_t>(height));
    s.push_back(1);
    s.push_back(0);
    s.push_back(static_cast<char>(bits & 0xFF));
    s.push_back(static_cast<char>(bits >> 8));
    put32(s, compression);
    while (s.size() < 54) s.push_back(0);
    s.append(pixels, static_cast<char>(0xFF));
    return s;
}

}  // namespace

TEST(AssetFilesTest, EveryShippedImageIsALoadableBottomUp32BitBitmap) {
    for (const ShippedImage& image : shippedImages()) {
        const Bitmap bitmap = readBitmap(rootPath(image.path));
        EXPECT_EQ(bitmap.problem, "") << image.path;
    }
}

TEST(AssetFilesTest, EveryImageHasTheSizeItIsDrawnFrom) {
    for (const ShippedImage& image : shippedImages()) {
        const Bitmap bitmap = readBitmap(rootPath(image.path));
        ASSERT_EQ(bitmap.problem, "") << image.path;
        EXPECT_EQ(bitmap.width, image.width) << image.path;
        EXPECT_EQ(bitmap.height, image.height) << image.path;
    }
}

// Textures drawn with alpha testing or stretched as backgrounds must have no
// holes; overlay pictures must be see-through around their shape.
TEST(AssetFilesTest, OpaqueTexturesHaveFullAlphaAndOverlaysAreTransparentAround) {
    for (const ShippedImage& image : shippedImages()) {
        const Bitmap bitmap = readBitmap(rootPath(image.path));
        ASSERT_EQ(bitmap.problem, "") << image.path;
        unsigned lowest = 255;
        unsigned highest = 0;
        for (int y = 0; y < bitmap.height; ++y) {
            for (int x = 0; x < bitmap.width; ++x) {
                const unsigned alpha = bitmap.alphaAt(x, y);
                lowest = std::min(lowest, alpha);
                highest = std::max(highest, alpha);
            }
        }
        if (image.alpha == Alpha::Opaque) {
            EXPECT_EQ(lowest, 255u) << image.path;
        } else {
            EXPECT_EQ(highest, 255u) << image.path << " has no opaque pixel";
            EXPECT_EQ(bitmap.alphaAt(bitmap.width - 1, bitmap.height - 1), 0u) << image.path;
            EXPECT_EQ(bitmap.alphaAt(bitmap.width - 1, 0), 0u) << image.path;
        }
    }
}

// Cursors are drawn with their top-left corner at the mouse and repeat
// wrapping, which blends each edge with the opposite one: the outermost
// pixels are transparent, and an arrow's tip is the pixel just inside the corner.
TEST(AssetFilesTest, CursorsHaveTransparentEdgesAndArrowsPointJustInsideTheCorner) {
    for (const char* path : {"assets/cursors/menuCursor.bmp", "assets/cursors/cursor1.bmp", "assets/cursors/cursor2.bmp"}) {
        const Bitmap bitmap = readBitmap(rootPath(path));
        ASSERT_EQ(bitmap.problem, "") << path;
        unsigned edge = 0;
        for (int i = 0; i < bitmap.width; ++i) {
            edge = std::max({edge, bitmap.alphaAt(i, 0), bitmap.alphaAt(i, bitmap.height - 1), bitmap.alphaAt(0, i),
                             bitmap.alphaAt(bitmap.width - 1, i)});
        }
        EXPECT_EQ(edge, 0u) << path;
    }
    for (const char* path : {"assets/cursors/menuCursor.bmp", "assets/cursors/cursor1.bmp"}) {
        EXPECT_GE(readBitmap(rootPath(path)).alphaAt(1, 1), 128u) << path;
    }
}

TEST(AssetFilesTest, AssetFolderStaysUnderEightMebibytes) {
    std::uintmax_t total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(rootPath("assets"))) {
        if (entry.is_regular_file()) total += entry.file_size();
    }
    EXPECT_GT(total, 0u);
    EXPECT_LT(total, kMaxAssetBytes);
}

TEST(AssetFilesTest, HeaderCheckRejectsFilesTheLoaderWouldMisread) {
    testSupport::ScopedTempDir dir;
    dir.write("good.bmp", makeBitmap(2, 3, 32, kBiRgb));
    dir.write("bitfields.bmp", makeBitmap(2, 3, 32, kBiBitfields));
    dir.write("rgb24.bmp", makeBitmap(2, 3, 24, kBiRgb));
    dir.write("rle.bmp", makeBitmap(2, 3, 32, 1));
    dir.write("topdown.bmp", makeBitmap(2, -3, 32, kBiRgb));
    dir.write("huge.bmp", makeBitmap(8193, 1, 32, kBiRgb));
    std::string truncated = makeBitmap(4, 4, 32, kBiRgb);
    truncated.resize(truncated.size() - 1);
    dir.write("truncated.bmp", truncated);
    std::string wrongMagic = makeBitmap(2, 3, 32, kBiRgb);
    wrongMagic[0] = 'P';
    dir.write("magic.bmp", wrongMagic);

    EXPECT_EQ(readBitmap("good.bmp").problem, "");
    EXPECT_EQ(readBitmap("bitfields.bmp").problem, "");
    EXPECT_EQ(readBitmap("rgb24.bmp").problem, "not 32 bits per pixel");
    EXPECT_EQ(readBitmap("rle.bmp").problem, "compressed");
    EXPECT_EQ(readBitmap("topdown.bmp").problem, "width or height outside 1..8192 (top-down or corrupt)");
    EXPECT_EQ(readBitmap("huge.bmp").problem, "width or height outside 1..8192 (top-down or corrupt)");
    EXPECT_EQ(readBitmap("truncated.bmp").problem, "pixel data runs past the end of the file");
    EXPECT_EQ(readBitmap("magic.bmp").problem, "does not start with BM");
    EXPECT_EQ(readBitmap("absent.bmp").problem, "missing or empty");
}
