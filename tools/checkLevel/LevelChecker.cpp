// The checker never parses anything itself: it runs the game's readers with a
// problem sink and then applies the game's own rules (the cloth grid's
// validation, the patch-wide pin indices, the fall height) to what they kept,
// so what it reports is what the game would silently make of the level.
// Its warnings go further, into how the level plays: where the ball can roll
// past a checkpoint, where a bubble shows through the course, how far the
// cloth may stretch before the ball drops through it.
#include "tools/checkLevel/LevelChecker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <utility>

#include "game/physics/Ball.h"
#include "game/physics/ClothGrid.h"
#include "game/physics/Patch.h"
#include "game/play/Game.h"
#include "game/scene/AseReader.h"
#include "game/scene/BmpImage.h"
#include "tools/checkLevel/SceneProbe.h"

namespace quiltRush {

namespace {

// Where each value stands in a patch record, in file order.
constexpr std::size_t kPositionValue = 0;
constexpr std::size_t kSizeXValue = 3;
constexpr std::size_t kSizeZValue = 4;
constexpr std::size_t kRowsValue = 5;
constexpr std::size_t kColsValue = 6;
constexpr std::size_t kStiffnessValue = 7;
constexpr std::size_t kFirstPinValue = 8;
constexpr std::size_t kPins = 4;
constexpr std::size_t kCheckpointYValue = 1;
constexpr std::size_t kCheckpointRadiusValue = 3;

// How far a player's drag stretches the cloth where the ball lies: in the
// hard-drag test's yanks at a person's fastest the cells within 0.45 of the
// ball open to 0.34, 2.2 times the shipped sheet's rest spacing (the cells the
// grab pulls on open to 0.68, away from the ball); 2.6 leaves a margin.
constexpr float kDragStretch = 2.6f;
// Where the lane is sampled across, in world units between ball positions.
constexpr float kLaneSample = 0.02f;

struct GridFaultText {
    std::size_t value;  // the record value at fault
    const char* message;
};

GridFaultText describe(ClothGrid::Fault fault) {
    switch (fault) {
    case ClothGrid::Fault::rowsNotWhole:
        return {kRowsValue, "rows must be a whole number of at least 2: the grid is left out"};
    case ClothGrid::Fault::colsNotWhole:
        return {kColsValue, "columns must be a whole number of at least 2: the grid is left out"};
    case ClothGrid::Fault::tooManySpheres:
        return {kRowsValue, "rows x columns is more than 65536 spheres: the grid is left out"};
    case ClothGrid::Fault::sizeXNotPositive:
        return {kSizeXValue, "size along x must be positive: the grid is left out"};
    case ClothGrid::Fault::sizeZNotPositive:
        return {kSizeZValue, "size along z must be positive: the grid is left out"};
    case ClothGrid::Fault::stiffnessNotPositive:
        return {kStiffnessValue, "spring stiffness must be positive: the grid is left out"};
    case ClothGrid::Fault::positionNotFinite:
    case ClothGrid::Fault::none:
        break;
    }
    return {kPositionValue, "position must be finite: the grid is left out"};
}

std::string plural(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string decimals(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    return text;
}

// The highest floor of the lane under a checkpoint: a ball rolling there
// passes over the bubble, and still counts as a miss; a surface higher up is
// another part of the course (or a roof).
float laneTop(const CheckpointRecord& bubble) { return bubble.y + bubble.radius + 2.0f * Ball::kRadius; }

// How far outside touching reach the ball passes a checkpoint at its widest
// miss, rolling across the lane under it: its centre a radius above the floor
// and a radius from either end of the lane. 0 or less: it touches wherever it
// crosses.
float widestMiss(const SceneProbe& probe, const CheckpointRecord& bubble, const SceneProbe::Lane& lane) {
    const Vector3 centre(bubble.x, bubble.y, bubble.z);
    const float reach = bubble.radius + Ball::kRadius;
    const float top = laneTop(bubble);
    float miss = -reach;
    for (float s = lane.from + Ball::kRadius; s <= lane.to - Ball::kRadius; s += kLaneSample) {
        std::optional<float> floor = probe.floorBelow(bubble.x + lane.across.x * s, bubble.z + lane.across.z * s, top);
        if (!floor) continue;  // a gap the walk stepped over
        Vector3 ball(bubble.x + lane.across.x * s, *floor + Ball::kRadius, bubble.z + lane.across.z * s);
        miss = std::max(miss, length(ball - centre) - reach);
    }
    return miss;
}

}  // namespace

LevelChecker::LevelChecker(std::string root, std::string levelFile)
    : levelFile(std::move(levelFile)), problems(root), warnings(std::move(root)) {}

int LevelChecker::run(std::ostream& out) {
    problems.start(levelFile);
    warnings.start(levelFile);
    grids = spheres = sceneTriangles = 0;
    scenePolygons.clear();
    modelFile.clear();

    GameData level;
    GameDataDiagnostics diagnostics;
    diagnostics.problems = problems.sinkFor(levelFile);
    std::ifstream in(problems.onDisk(levelFile));
    if (!in) {
        report(levelFile, {}, "level file missing or not readable");
    } else {
        // A reading that stopped early has said why; what it never reached
        // is not reported missing on top of that.
        const bool complete = GameDataReader::read(in, level, &diagnostics);
        checkGrids(level, diagnostics.places);
        checkCheckpoints(level, diagnostics.places, complete);
        checkScene(level.scene, diagnostics.places, complete);
        checkCheckpointPlaces(level, diagnostics.places);
    }

    if (!problems.empty()) {
        writeProblems(out);
        return kExitProblems;
    }
    writeSummary(out, level);
    return kExitClean;
}

void LevelChecker::report(const std::string& file, const WordPlace& place, const std::string& message) {
    problems.report(file, place, message);
}

void LevelChecker::warn(const WordPlace& place, const std::string& message) {
    warnings.report(levelFile, place, "warning: " + message);
}

std::string LevelChecker::countsOfWarnings() const {
    return warnings.empty() ? "" : "; " + plural(warnings.size(), "warning");
}

void LevelChecker::writeProblems(std::ostream& out) {
    problems.write(out);
    warnings.write(out);
    out << problems.onDisk(levelFile) << ": " << plural(problems.size(), "problem") << countsOfWarnings()
        << "\n";
}

// Each record's pins are set right after its grid is built, and count over
// every sphere built so far; a grid that is left out adds none.
void LevelChecker::checkGrids(const GameData& level, const GameDataPlaces& places) {
    for (std::size_t r = 0; r < level.patchRecords.size(); ++r) {
        const PatchRecord& record = level.patchRecords[r];
        const std::vector<WordPlace>& at = places.patchRecords[r];
        ClothGrid::Fault fault = ClothGrid::check(record);
        if (fault == ClothGrid::Fault::none) {
            ++grids;
            spheres += static_cast<std::size_t>(record.rows) * static_cast<std::size_t>(record.cols);
            checkClothCells(record, at[kRowsValue]);
        } else {
            GridFaultText text = describe(fault);
            report(levelFile, at[text.value], text.message);
        }
        for (std::size_t k = 0; k < kPins; ++k) checkPin(record.fixed[k], at[kFirstPinValue + k]);
    }
}

// The widest gap of a square of four cloth spheres is at its middle, half a
// diagonal from each; the ball drops through once that exceeds both radii.
void LevelChecker::checkClothCells(const PatchRecord& record, const WordPlace& place) {
    const Vector3 spacing = ClothGrid::spacing(record);
    const float sideX = spacing.x;
    const float sideZ = spacing.z;
    const float gap = kDragStretch * std::sqrt(sideX * sideX + sideZ * sideZ) / 2.0f;
    if (gap <= Ball::kRadius + Patch::kSphereRadius) return;
    warn(place, "cloth cells of " + decimals(sideX) + " x " + decimals(sideZ) + " let the ball through when a drag stretches them " +
                    decimals(kDragStretch) + " times: more rows and columns or a smaller sheet");
}

void LevelChecker::checkPin(float value, const WordPlace& place) {
    const double index = std::trunc(static_cast<double>(value));  // toward zero, as the game converts it
    if (index < 0.0) {
        report(levelFile, place, "pin index is negative: it pins nothing");
    } else if (index >= static_cast<double>(spheres)) {
        std::string range = spheres == 0 ? "no grid so far has spheres"
                                         : "the grids so far have spheres 0 to " + std::to_string(spheres - 1);
        report(levelFile, place, "pin index out of range (" + range + "): it pins nothing");
    }
}

// The ball touches a checkpoint when their surfaces meet, and a run restarts
// as soon as the ball's centre is below the fall height.
void LevelChecker::checkCheckpoints(const GameData& level, const GameDataPlaces& places, bool complete) {
    for (std::size_t c = 0; c < level.checkpointRecords.size(); ++c) {
        const CheckpointRecord& record = level.checkpointRecords[c];
        if (record.y + record.radius + Ball::kRadius >= Game::kFallHeight) continue;
        report(levelFile, places.checkpointRecords[c][kCheckpointYValue],
               "checkpoint out of reach: the ball falls below y = " + std::to_string(static_cast<int>(Game::kFallHeight)) +
                   " before it can touch it");
    }
    if (complete && level.checkpointRecords.empty()) {
        report(levelFile, places.end, "no checkpoints: a run can never finish");
    }
}

void LevelChecker::checkScene(const SceneData& scene, const GameDataPlaces& places, bool complete) {
    if (places.modelFile.line == 0) {
        if (complete) report(levelFile, places.end, "no BEGINSCENE: the level names no scene model and no patch image");
        return;
    }
    checkModel(scene.modelFile, places.modelFile);
    if (places.patchTexture.line > 0) {
        checkImage(scene.patchTexture, levelFile, places.patchTexture, "patch image");
    }
}

// A checkpoint is judged against the course's surface, which a bubble must not
// cut through, and against the lane a ball crosses under it: of the ways
// across, the narrowest between the walls or edges where it ends.
void LevelChecker::checkCheckpointPlaces(const GameData& level, const GameDataPlaces& places) {
    if (scenePolygons.empty()) return;
    SceneProbe probe(scenePolygons);
    for (std::size_t c = 0; c < level.checkpointRecords.size(); ++c) {
        const CheckpointRecord& bubble = level.checkpointRecords[c];
        const WordPlace& place = places.checkpointRecords[c][kCheckpointRadiusValue];
        std::optional<SceneProbe::Nearest> nearest = probe.nearest({bubble.x, bubble.y, bubble.z});
        if (nearest && nearest->distance < bubble.radius) {
            warn(place, "checkpoint cuts through face " + std::to_string(nearest->polygon) + " of " + modelFile + " (" +
                            decimals(bubble.radius - nearest->distance) +
                            " inside its surface): it shows through the course; raise it or make it smaller");
        }
        // A bubble that a ball rolling right under it does not touch waits for
        // a ball in flight: where that passes is not the lane's to say.
        const float top = laneTop(bubble);
        std::optional<float> floor = probe.floorBelow(bubble.x, bubble.z, top);
        if (!floor || bubble.y - (*floor + Ball::kRadius) > bubble.radius + Ball::kRadius) continue;
        std::optional<SceneProbe::Lane> lane = probe.laneAcross(bubble.x, bubble.z, top);
        if (!lane) continue;
        float miss = widestMiss(probe, bubble, *lane);
        if (miss <= 0.0f) continue;
        warn(place, "checkpoint does not span its lane (" + decimals(lane->to - lane->from) +
                        " wide): a ball rolling across can pass " + decimals(miss) +
                        " clear of it; make it larger or the lane narrower");
    }
}

void LevelChecker::checkModel(const std::string& modelFile, const WordPlace& place) {
    std::ifstream in(problems.onDisk(modelFile));
    if (!in) {
        report(levelFile, place, "scene model missing or not readable");
        return;
    }
    AseDiagnostics diagnostics;
    diagnostics.problems = problems.sinkFor(modelFile);
    AseModel model = AseReader::read(in, &diagnostics);
    sceneTriangles = model.polygons.size();
    scenePolygons = std::move(model.polygons);
    this->modelFile = modelFile;
    if (!model.bitmapPath.empty()) checkImage(model.bitmapPath, modelFile, diagnostics.bitmap, "scene image");
}

void LevelChecker::checkImage(const std::string& imageFile, const std::string& namedIn, const WordPlace& place,
                              const char* what) {
    const std::string path = problems.onDisk(imageFile);
    if (!std::ifstream(path, std::ios::binary)) {
        report(namedIn, place, std::string(what) + " missing or not readable");
    } else if (!BmpImage::readFile(path)) {
        report(namedIn, place,
               std::string(what) + " does not load: a BMP of 32 bits per pixel, uncompressed, bottom-up, "
                                   "1 to 8192 pixels a side, with all its pixel data is expected");
    }
}

void LevelChecker::writeSummary(std::ostream& out, const GameData& level) {
    warnings.write(out);
    out << problems.onDisk(levelFile) << ": ok: " << plural(grids, "grid") << " (" << plural(spheres, "sphere")
         << "), " << plural(level.checkpointRecords.size(), "checkpoint") << ", "
         << plural(level.tackRecords.size(), "tack") << ", " << plural(sceneTriangles, "scene triangle") << countsOfWarnings() << "\n";
}

}  // namespace quiltRush
