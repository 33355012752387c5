#include "game/scene/GameDataReader.h"

#include <cstdio>
#include <fstream>
#include <functional>

#include "game/scene/NumberWord.h"

// A record has no separator of its own: inside a section each next word is
// either the closing word or the first number of the next record. The file is
// trusted for nothing: every read checks for the end of the stream, so a file
// without its closing words ends the reading instead of looping forever.

namespace quiltRush {

namespace {

constexpr std::size_t kPatchValues = 12;
constexpr std::size_t kCheckpointValues = 4;
constexpr std::size_t kTackValues = 2;

// Reads records of valueCount numbers up to the closing word, handing each
// complete one to store. False when the reading must end.
bool readSection(std::istream& in, const std::string& closing, std::size_t valueCount,
                 const std::function<void(const float*)>& store) {
    float values[kPatchValues];
    std::string word;
    while (in >> word) {
        if (word == closing) return true;
        for (std::size_t i = 0; i < valueCount; ++i) {
            if (i > 0 && !(in >> word)) return false;
            if (!NumberWord::toFloat(word, values[i])) return false;
        }
        store(values);
    }
    return false;
}

void storePatch(GameData& data, const float* v) {
    PatchRecord record;
    record.x = v[0];
    record.y = v[1];
    record.z = v[2];
    record.sizeX = v[3];
    record.sizeZ = v[4];
    record.rows = v[5];
    record.cols = v[6];
    record.stiffness = v[7];
    for (int i = 0; i < 4; ++i) record.fixed[i] = v[8 + i];
    data.patchRecords.push_back(record);
}

void storeCheckpoint(GameData& data, const float* v) {
    CheckpointRecord record;
    record.x = v[0];
    record.y = v[1];
    record.z = v[2];
    record.radius = v[3];
    data.checkpointRecords.push_back(record);
}

void storeTack(GameData& data, const float* v) {
    TackRecord record;
    record.x = v[0];
    record.y = v[1];
    data.tackRecords.push_back(record);
}

// The two words after BEGINSCENE, whatever they are; each is kept if present.
bool readScene(std::istream& in, SceneData& scene) {
    std::string word;
    if (!(in >> word)) return false;
    scene.modelFile = word;
    if (!(in >> word)) return false;
    scene.patchTexture = word;
    return true;
}

}  // namespace

bool GameDataReader::readFile(const std::string& fileName, GameData& data) {
    std::ifstream in(fileName);
    if (!in) return false;
    return read(in, data);
}

bool GameDataReader::read(std::istream& in, GameData& data) {
    std::string word;
    if (!(in >> word) || word != "BEGINDATA") {
        std::fputs("Error reading data\n", stdout);
        return false;
    }
    auto patch = [&data](const float* v) { storePatch(data, v); };
    auto checkpoint = [&data](const float* v) { storeCheckpoint(data, v); };
    auto tack = [&data](const float* v) { storeTack(data, v); };
    // The four section tests are made one after the other on the same word,
    // and the ENDDATA test on it after them.
    do {
        if (!(in >> word)) return false;
        if (word == "BEGINPATCH" && !readSection(in, "ENDPATCH", kPatchValues, patch)) return false;
        if (word == "BEGINCHECKPOINT" && !readSection(in, "ENDCHECKPOINT", kCheckpointValues, checkpoint)) {
            return false;
        }
        if (word == "BEGINTACK" && !readSection(in, "ENDTACK", kTackValues, tack)) return false;
        if (word == "BEGINSCENE" && !readScene(in, data.scene)) return false;
    } while (word != "ENDDATA");
    return true;
}

}  // namespace quiltRush
