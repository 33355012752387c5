#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace quiltRush {

/// One level of the pack: the name a player sees and types, its level file
/// (relative to the working directory) and a one-line hint.
struct PackLevel {
    std::string name;
    std::string file;
    std::string hint;
};

/// The levels the game offers, in order, read from "assets/levels/pack.txt":
/// one level a line, "NAME FILE HINT..." (the hint is the rest of the line);
/// blank lines and lines that start with # are skipped. A line without a file,
/// with a name that is not lower-case letters and digits or that came before,
/// or too long to be ours is skipped too. Plain C++, no GL.
class LevelPack {
public:
    static constexpr const char* kPackFile = "assets/levels/pack.txt";
    static constexpr std::size_t kMaxLevels = 64;
    static constexpr std::size_t kMaxLineBytes = 512;

    /// A missing file gives an empty pack.
    static LevelPack readFile(const std::string& fileName = kPackFile);
    static LevelPack read(std::istream& in);

    const std::vector<PackLevel>& getLevels() const { return levels; }
    std::size_t size() const { return levels.size(); }
    bool empty() const { return levels.empty(); }
    /// The level of this name, or null.
    const PackLevel* find(const std::string& name) const;
    /// The position of the level read from this file, or size() when none is.
    std::size_t indexOfFile(const std::string& file) const;
    /// A name as the screens show it: its first letter in capitals ("ramp" -> "Ramp").
    static std::string displayName(const std::string& name);
    /// The picture of a level on the level screen: "assets/levels/NAME/preview.bmp".
    static std::string previewOf(const std::string& name);

private:
    std::vector<PackLevel> levels;
};

}  // namespace quiltRush
