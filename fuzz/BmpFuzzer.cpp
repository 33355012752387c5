// Feeds arbitrary bytes to the bitmap decoder. A decoded image must have the
// promised size and hold exactly the file's rows, bottom row last.
#include <cstdint>
#include <cstring>

#include "fuzz/FuzzCheck.h"
#include "game/scene/BmpImage.h"

using quiltRush::BmpImage;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<BmpImage> image = BmpImage::decode(data, size);
    if (!image) return 0;

    const std::int64_t width = image->getWidth();
    const std::int64_t height = image->getHeight();
    FUZZ_CHECK(width > 0 && width <= BmpImage::kMaxSide);
    FUZZ_CHECK(height > 0 && height <= BmpImage::kMaxSide);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    FUZZ_CHECK(image->getPixels().size() == rowBytes * static_cast<std::size_t>(height));

    std::uint32_t offset = 0;
    for (int i = 3; i >= 0; --i) offset = (offset << 8) | data[10 + i];
    FUZZ_CHECK(offset + rowBytes * static_cast<std::size_t>(height) <= size);
    for (std::int64_t row = 0; row < height; ++row) {
        const std::uint8_t* stored = data + offset + rowBytes * static_cast<std::size_t>(height - 1 - row);
        FUZZ_CHECK(std::memcmp(image->getPixels().data() + rowBytes * row, stored, rowBytes) == 0);
    }
    return 0;
}
