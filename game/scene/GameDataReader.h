#pragma once

#include <istream>
#include <string>

#include "game/scene/GameDataRecords.h"

namespace quiltRush {

/// Reads the level file: "BEGINDATA", then sections BEGINPATCH/ENDPATCH (12
/// numbers a record), BEGINCHECKPOINT/ENDCHECKPOINT (4), BEGINTACK/ENDTACK (2)
/// and BEGINSCENE (the next two words: model file, patch image), up to "ENDDATA".
/// Records are appended to data in file order. Plain C++, no GL.
class GameDataReader {
public:
    /// A file that cannot be opened reads nothing and says nothing; false then.
    static bool readFile(const std::string& fileName, GameData& data);

    /// True when the data ended with ENDDATA and every number parsed. A first
    /// word other than BEGINDATA prints "Error reading data\n" on standard
    /// output and reads nothing. The end of the stream, a word that is not a
    /// whole decimal number where one belongs, or a number beyond float range
    /// ends the reading: records completed before stay, one cut short is dropped.
    static bool read(std::istream& in, GameData& data);
};

}  // namespace quiltRush
