#pragma once

#include <cstdint>
#include <string>

namespace quiltRush {

/// Strict conversions of one whitespace-free word of a text file: the whole
/// word must be the number, or the value is left alone and false returned.
class NumberWord {
public:
    /// A decimal number in the standard string-to-double forms, infinities and NaN included.
    static bool toDouble(const std::string& word, double& value);
    /// A decimal number (the standard string-to-double forms) that is finite and fits a float.
    static bool toFloat(const std::string& word, float& value);
    /// A decimal integer that fits 32 bits.
    static bool toInteger(const std::string& word, std::int32_t& value);
};

}  // namespace quiltRush
