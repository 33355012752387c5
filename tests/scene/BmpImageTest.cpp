#include "game/scene/BmpImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/scene/BmpBytes.h"
#include "tests/support/ScopedTempDir.h"

using quiltRush::BmpImage;
using testSupport::BmpBytes;

namespace {

std::optional<BmpImage> decode(const std::string& bytes) {
    return BmpImage::decode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::vector<std::uint8_t> texel(const BmpImage& image, int row, int column) {
    auto at = image.getPixels().begin() + (row * image.getWidth() + column) * 4;
    return {at, at + 4};
}

}  // namespace

TEST(BmpImageTest, RowZeroIsThePicturesTopRow) {
    auto image = decode(testSupport::twoByTwoPicture().build());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->getWidth(), 2);
    EXPECT_EQ(image->getHeight(), 2);
    ASSERT_EQ(image->getPixels().size(), 16u);
    EXPECT_EQ(texel(*image, 0, 0), (std::vector<std::uint8_t>{0x00, 0x00, 0xFF, 0xFF}));  // red
    EXPECT_EQ(texel(*image, 0, 1), (std::vector<std::uint8_t>{0x00, 0xFF, 0x00, 0xFF}));  // green
    EXPECT_EQ(texel(*image, 1, 0), (std::vector<std::uint8_t>{0xFF, 0x00, 0x00, 0xFF}));  // first stored
    EXPECT_EQ(texel(*image, 1, 1), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x80}));  // alpha kept
}

TEST(BmpImageTest, PixelDataIsReadFromTheHeadersOffset) {
    BmpBytes bmp = testSupport::twoByTwoPicture();
    bmp.pixelOffset = 138;  // a BITMAPV5 header
    auto image = decode(bmp.build());
    ASSERT_TRUE(image);
    EXPECT_EQ(texel(*image, 0, 0), (std::vector<std::uint8_t>{0x00, 0x00, 0xFF, 0xFF}));
}

TEST(BmpImageTest, BitFieldCompressionLoadsLikeUncompressed) {
    BmpBytes bmp = testSupport::twoByTwoPicture();
    bmp.compression = 3;
    auto image = decode(bmp.build());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->getPixels(), decode(testSupport::twoByTwoPicture().build())->getPixels());
}

TEST(BmpImageTest, PixelDataEndingExactlyAtTheFilesEndLoads) {
    BmpBytes bmp;
    bmp.width = 3;
    bmp.height = 1;
    bmp.pixels.assign(12, 0x11);
    EXPECT_TRUE(decode(bmp.build()));
}

TEST(BmpImageTest, LargestAllowedSideLoads) {
    BmpBytes bmp;
    bmp.width = BmpImage::kMaxSide;
    bmp.height = 1;
    bmp.pixels.assign(BmpImage::kMaxSide * 4, 0x22);
    auto image = decode(bmp.build());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->getWidth(), 8192);
}

TEST(BmpImageTest, RejectsFilesThatAreNotUsable32BitBitmaps) {
    struct Case {
        const char* what;
        BmpBytes bmp;
    };
    std::vector<Case> cases;
    auto bent = [&](const char* what, auto change) {
        BmpBytes bmp = testSupport::twoByTwoPicture();
        change(bmp);
        cases.push_back({what, bmp});
    };
    bent("zero width", [](BmpBytes& b) { b.width = 0; });
    bent("zero height", [](BmpBytes& b) { b.height = 0; });
    bent("negative width", [](BmpBytes& b) { b.width = -2; });
    bent("negative height (top-down)", [](BmpBytes& b) { b.height = -2; });
    bent("8193 wide", [](BmpBytes& b) { b.width = 8193; });
    bent("8193 high", [](BmpBytes& b) { b.height = 8193; });
    bent("24 bits per pixel", [](BmpBytes& b) { b.bitsPerPixel = 24; });
    bent("compression 1 (RLE8)", [](BmpBytes& b) { b.compression = 1; });
    bent("compression 2", [](BmpBytes& b) { b.compression = 2; });
    bent("pixel data one byte past the end", [](BmpBytes& b) { b.pixels.pop_back(); });
    bent("pixel data starting past the end", [](BmpBytes& b) { b.pixelOffset = 1000; b.pixels.clear(); });
    bent("huge picture in a small file", [](BmpBytes& b) { b.width = 8192; b.height = 8192; });
    for (const Case& c : cases) {
        EXPECT_FALSE(decode(c.bmp.build())) << c.what;
    }
}

TEST(BmpImageTest, OffsetNearTheTopOfItsRangeDoesNotWrapAround) {
    std::string bytes = testSupport::twoByTwoPicture().build();
    BmpBytes::put(bytes, 10, 0xFFFFFFF8u, 4);  // offset + 16 bytes would wrap in 32 bits
    EXPECT_FALSE(decode(bytes));
}

TEST(BmpImageTest, RejectsMissingMagicAndTruncatedHeaders) {
    std::string good = testSupport::twoByTwoPicture().build();
    std::string wrongMagic = good;
    wrongMagic[0] = 'M';
    wrongMagic[1] = 'B';
    EXPECT_FALSE(decode(wrongMagic));
    for (std::size_t length : {0u, 1u, 2u, 10u, 29u, 33u}) {
        EXPECT_FALSE(decode(good.substr(0, length))) << length << " bytes";
    }
    EXPECT_FALSE(BmpImage::decode(nullptr, 0));
}

TEST(BmpImageTest, ReadFileLoadsFromDiskAndIgnoresMissingFiles) {
    testSupport::ScopedTempDir dir;
    dir.write("images/picture.bmp", testSupport::twoByTwoPicture().build());
    auto image = BmpImage::readFile("images/picture.bmp");
    ASSERT_TRUE(image);
    EXPECT_EQ(texel(*image, 0, 0), (std::vector<std::uint8_t>{0x00, 0x00, 0xFF, 0xFF}));
    EXPECT_FALSE(BmpImage::readFile("images/missing.bmp"));
}
