#include "game/scene/GameDataReader.h"

#include <cstdio>
#include <fstream>
#include <functional>

#include "game/scene/NumberWord.h"
#include "game/scene/WordReader.h"

// A record has no separator of its own: inside a section each next word is
// either the closing word or the first number of the next record. The file is
// trusted for nothing: every read checks for the end of the stream, so a file
// without its closing words ends the reading instead of looping forever.
// Problems are only ever reported where the reading would act on them anyway:
// a checker sees exactly what the game will make of the file.

namespace quiltRush {

namespace {

constexpr std::size_t kPatchValues = 12;
constexpr std::size_t kCheckpointValues = 4;
constexpr std::size_t kTackValues = 2;
constexpr std::size_t kMostValues = kPatchValues;

using RecordPlaces = std::vector<std::vector<WordPlace>>;

struct Section {
    const char* opening;
    const char* closing;
    const char* recordName;
    std::size_t valueCount;
    std::function<void(const float*)> store;
    RecordPlaces* places;  // null without diagnostics
};

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

class Reader {
public:
    Reader(std::istream& in, GameData& data, GameDataDiagnostics* diagnostics)
        : words(in), data(data), diagnostics(diagnostics) {}

    bool run() {
        bool complete = readData();
        if (diagnostics) diagnostics->places.end = words.place();
        return complete;
    }

private:
    void report(const WordPlace& place, const std::string& message) const {
        if (diagnostics && diagnostics->problems) diagnostics->problems(place, message);
    }

    bool readData() {
        std::string word;
        if (!words.next(word) || word != "BEGINDATA") {
            // The game's own message; a checker gets it as a problem instead.
            if (!diagnostics || diagnostics->printErrorReadingData) std::fputs("Error reading data\n", stdout);
            report(words.place(), word.empty() ? "the file is empty: BEGINDATA expected" : "BEGINDATA expected");
            return false;
        }
        GameDataPlaces* places = diagnostics ? &diagnostics->places : nullptr;
        const Section sections[] = {
            {"BEGINPATCH", "ENDPATCH", "patch", kPatchValues, [this](const float* v) { storePatch(data, v); },
             places ? &places->patchRecords : nullptr},
            {"BEGINCHECKPOINT", "ENDCHECKPOINT", "checkpoint", kCheckpointValues,
             [this](const float* v) { storeCheckpoint(data, v); }, places ? &places->checkpointRecords : nullptr},
            {"BEGINTACK", "ENDTACK", "tack", kTackValues, [this](const float* v) { storeTack(data, v); },
             places ? &places->tackRecords : nullptr},
        };
        // The section tests are made one after the other on the same word,
        // and the ENDDATA test on it after them.
        do {
            if (!words.next(word)) {
                report(words.place(), "ENDDATA missing: the file ends at the data level");
                return false;
            }
            const WordPlace at = words.place();
            bool known = word == "ENDDATA";
            for (const Section& section : sections) {
                if (word != section.opening) continue;
                known = true;
                if (!readSection(section)) return false;
            }
            if (word == "BEGINSCENE") {
                known = true;
                if (!readScene()) return false;
            }
            if (!known) report(at, "unknown word at the data level (skipped)");
        } while (word != "ENDDATA");
        return true;
    }

    // Reads records up to the closing word, handing each complete one to the
    // section's store. False when the reading must end.
    bool readSection(const Section& section) {
        float values[kMostValues];
        std::vector<WordPlace> places;
        std::string word;
        while (words.next(word)) {
            if (word == section.closing) return true;
            places.clear();
            for (std::size_t i = 0; i < section.valueCount; ++i) {
                if (i > 0 && !words.next(word)) {
                    report(words.place(), std::string(section.recordName) + " record cut short by the end of the file (" +
                                              std::to_string(i) + " of " + std::to_string(section.valueCount) +
                                              " numbers)");
                    return false;
                }
                if (!readNumber(word, values[i], section, i)) return false;
                if (section.places) places.push_back(words.place());
            }
            section.store(values);
            if (section.places) section.places->push_back(places);
        }
        report(words.place(), std::string(section.closing) + " missing: the file ends inside the " +
                                  section.recordName + " section");
        return false;
    }

    bool readNumber(const std::string& word, float& value, const Section& section, std::size_t index) const {
        if (NumberWord::toFloat(word, value)) return true;
        double parsed = 0.0;
        const char* what = NumberWord::toDouble(word, parsed) ? "finite number within float range expected"
                                                              : "number expected";
        report(words.place(), std::string(what) + " (value " + std::to_string(index + 1) + " of " +
                                  std::to_string(section.valueCount) + " of a " + section.recordName + " record)");
        return false;
    }

    // The two words after BEGINSCENE, whatever they are; each is kept if present.
    bool readScene() {
        std::string word;
        if (!words.next(word)) {
            report(words.place(), "the file ends before the scene's model file");
            return false;
        }
        data.scene.modelFile = word;
        if (diagnostics) diagnostics->places.modelFile = words.place();
        if (!words.next(word)) {
            report(words.place(), "the file ends before the scene's patch image");
            return false;
        }
        data.scene.patchTexture = word;
        if (diagnostics) diagnostics->places.patchTexture = words.place();
        return true;
    }

    WordReader words;
    GameData& data;
    GameDataDiagnostics* diagnostics;
};

}  // namespace

bool GameDataReader::readFile(const std::string& fileName, GameData& data, GameDataDiagnostics* diagnostics) {
    std::ifstream in(fileName);
    if (!in) return false;
    return read(in, data, diagnostics);
}

bool GameDataReader::read(std::istream& in, GameData& data, GameDataDiagnostics* diagnostics) {
    return Reader(in, data, diagnostics).run();
}

}  // namespace quiltRush
