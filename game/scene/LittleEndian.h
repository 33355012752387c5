#pragma once

#include <cstddef>
#include <cstdint>

namespace quiltRush {

/// The unsigned number stored in count (at most 4) bytes, least significant first, as file headers keep them.
inline std::uint32_t littleEndian(const unsigned char* bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i > 0; --i) value = (value << 8) | bytes[i - 1];
    return value;
}

}  // namespace quiltRush
