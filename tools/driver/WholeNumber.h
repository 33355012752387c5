#pragma once

#include <optional>
#include <string>

namespace quiltRush {

/// A command-line word read as a whole number in [lowest, highest]; nothing
/// when the word is empty, has anything after the digits, or is out of range.
std::optional<long> parseWholeNumber(const std::string& word, long lowest, long highest);

}  // namespace quiltRush
