#pragma once

#include <istream>
#include <string>
#include <vector>

#include "game/scene/GameDataRecords.h"
#include "game/scene/ReadProblem.h"

namespace quiltRush {

/// Where the level's values stand in the file: for every record kept, the
/// places of its numbers in file order; the scene's two names; and the word
/// the reading ended on (ENDDATA in a complete file).
struct GameDataPlaces {
    std::vector<std::vector<WordPlace>> patchRecords;
    std::vector<std::vector<WordPlace>> checkpointRecords;
    std::vector<std::vector<WordPlace>> tackRecords;
    WordPlace modelFile;     // line 0 while no BEGINSCENE was read
    WordPlace patchTexture;  // line 0 while no BEGINSCENE was read
    WordPlace end;
};

/// What a level checker gets from the reader besides the records: every
/// problem as it is met, and the places of what was kept.
struct GameDataDiagnostics {
    ProblemSink problems;
    GameDataPlaces places;
    bool printErrorReadingData = false;  // the game's own line for a missing BEGINDATA is printed too
};

/// Reads the level file: "BEGINDATA", then sections BEGINPATCH/ENDPATCH (12
/// numbers a record), BEGINCHECKPOINT/ENDCHECKPOINT (4), BEGINTACK/ENDTACK (2)
/// and BEGINSCENE (the next two words: model file, patch image), up to "ENDDATA".
/// Records are appended to data in file order. Plain C++, no GL.
class GameDataReader {
public:
    static constexpr const char* kLevelFile = "assets/models/gameData.txt";  // relative to the working directory

    /// A file that cannot be opened reads nothing and says nothing; false then.
    static bool readFile(const std::string& fileName, GameData& data, GameDataDiagnostics* diagnostics = nullptr);

    /// True when the data ended with ENDDATA and every number parsed. A first
    /// word other than BEGINDATA prints "Error reading data\n" on standard
    /// output and reads nothing. The end of the stream, a word that is not a
    /// whole decimal number where one belongs, or a number beyond float range
    /// ends the reading: records completed before stay, one cut short is dropped.
    /// With diagnostics, the reading is the same, but every problem (also the
    /// words skipped at the data level) goes to its sink, the missing BEGINDATA
    /// too (on standard output only if asked), and the places of the values are kept.
    static bool read(std::istream& in, GameData& data, GameDataDiagnostics* diagnostics = nullptr);
};

}  // namespace quiltRush
