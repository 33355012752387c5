#include "tools/driver/WholeNumber.h"

#include <cstdlib>

namespace quiltRush {

std::optional<long> parseWholeNumber(const std::string& word, long lowest, long highest) {
    char* end = nullptr;
    long value = std::strtol(word.c_str(), &end, 10);
    // strtol clamps an overflow to the long's limits, which the range then refuses.
    if (word.empty() || *end != '\0' || value < lowest || value > highest) return std::nullopt;
    return value;
}

}  // namespace quiltRush
