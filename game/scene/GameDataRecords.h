#pragma once

#include <string>
#include <vector>

namespace quiltRush {

class Checkpoint;
class Object;
class Tack;

/// One cloth grid of the level: position, sizes along x and z, sphere counts
/// along x (rows) and z (cols), spring stiffness, and four patch-wide pin indices.
struct PatchRecord {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float sizeX = 0.0f, sizeZ = 0.0f;
    float rows = 0.0f, cols = 0.0f;
    float stiffness = 0.0f;
    float fixed[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

/// A checkpoint bubble of the level; checkpoint is filled when the entity is made.
struct CheckpointRecord {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float radius = 0.0f;
    Checkpoint* checkpoint = nullptr;
};

/// A tack icon's centre in overlay pixels (origin bottom-left); tack is filled when the entity is made.
struct TackRecord {
    float x = 0.0f, y = 0.0f;
    Tack* tack = nullptr;
};

/// The scenery's ASE model file, the cloth's image, and the scene entity once made.
struct SceneData {
    std::string modelFile;
    std::string patchTexture;
    Object* object = nullptr;
};

/// Everything the level file holds, records in file order; owns its records.
struct GameData {
    std::vector<PatchRecord> patchRecords;
    std::vector<CheckpointRecord> checkpointRecords;
    std::vector<TackRecord> tackRecords;
    SceneData scene;
};

}  // namespace quiltRush
