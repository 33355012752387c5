#include "game/scene/NumberWord.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace quiltRush {

bool NumberWord::toDouble(const std::string& word, double& value) {
    const char* begin = word.c_str();
    char* end = nullptr;
    double parsed = std::strtod(begin, &end);
    if (end == begin || *end != '\0') return false;
    value = parsed;
    return true;
}

bool NumberWord::toFloat(const std::string& word, float& value) {
    double parsed = 0.0;
    if (!toDouble(word, parsed)) return false;
    // Checked before narrowing: a double beyond float range does not convert.
    if (!std::isfinite(parsed) || std::fabs(parsed) > FLT_MAX) return false;
    value = static_cast<float>(parsed);
    return true;
}

bool NumberWord::toInteger(const std::string& word, std::int32_t& value) {
    const char* begin = word.c_str();
    char* end = nullptr;
    errno = 0;
    long long parsed = std::strtoll(begin, &end, 10);
    if (end == begin || *end != '\0' || errno == ERANGE) return false;
    if (parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<std::int32_t>(parsed);
    return true;
}

}  // namespace quiltRush
