#include "game/scene/LevelPack.h"

#include <fstream>
#include <sstream>

namespace quiltRush {

namespace {

constexpr std::size_t kMaxNameBytes = 24;

bool isName(const std::string& word) {
    if (word.empty() || word.size() > kMaxNameBytes) return false;
    for (char c : word) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// The hint without the blanks around it and with no byte a terminal or the
// overlay's font would take for something else.
std::string plainHint(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    }
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

LevelPack LevelPack::readFile(const std::string& fileName) {
    std::ifstream in(fileName);
    if (!in) return LevelPack();
    return read(in);
}

LevelPack LevelPack::read(std::istream& in) {
    LevelPack pack;
    std::string line;
    while (pack.levels.size() < kMaxLevels && std::getline(in, line)) {
        if (line.size() > kMaxLineBytes) continue;
        std::istringstream words(line);
        PackLevel level;
        if (!(words >> level.name) || level.name[0] == '#') continue;
        if (!isName(level.name) || !(words >> level.file) || pack.find(level.name) != nullptr) continue;
        std::getline(words, level.hint);
        level.hint = plainHint(level.hint);
        pack.levels.push_back(std::move(level));
    }
    return pack;
}

const PackLevel* LevelPack::find(const std::string& name) const {
    for (const PackLevel& level : levels) {
        if (level.name == name) return &level;
    }
    return nullptr;
}

std::size_t LevelPack::indexOfFile(const std::string& file) const {
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (levels[i].file == file) return i;
    }
    return levels.size();
}

std::string LevelPack::displayName(const std::string& name) {
    std::string shown = name;
    if (!shown.empty() && shown[0] >= 'a' && shown[0] <= 'z') shown[0] = static_cast<char>(shown[0] - 'a' + 'A');
    return shown;
}

std::string LevelPack::previewOf(const std::string& name) { return "assets/levels/" + name + "/preview.bmp"; }

}  // namespace quiltRush
