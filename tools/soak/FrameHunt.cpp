#include "tools/soak/FrameHunt.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

#include "game/physics/Patch.h"
#include "game/play/Camera.h"
#include "game/play/Game.h"

namespace quiltRush {

namespace {

float largest(const Vector3& v) { return std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)}); }

std::string describe(const Vector3& v) {
    return "(" + std::to_string(v.x) + ", " + std::to_string(v.y) + ", " + std::to_string(v.z) + ")";
}

}  // namespace

FrameHunt::FrameHunt(std::string folder) : folder(std::move(folder)) {}

void FrameHunt::record(const InputEvent& event) {
    try {
        input.add(event);
    } catch (const std::exception&) {
        // A special key has no timeline line; the game ignores it in play anyway.
    }
}

// On a busy machine many frames pass the limit for no fault of the game's; the
// ones worth replaying are the record holders, so only a new slowest frame
// leaves its timeline.
void FrameHunt::frame(int tick, double millis, const Game& game) {
    durations.push_back(millis);
    bool record = millis > slowest;
    if (record) {
        slowest = millis;
        slowestTick = tick;
    }
    if (millis <= kSlowFrameMillis) return;
    ++slow;
    if (record) write(tick, millis, game);
}

double FrameHunt::percentile(double share) const {
    if (durations.empty()) return 0.0;
    std::vector<double> sorted = durations;
    auto at = sorted.begin() + static_cast<std::ptrdiff_t>(share * static_cast<double>(sorted.size() - 1));
    std::nth_element(sorted.begin(), at, sorted.end());
    return *at;
}

float FrameHunt::farthestCoordinate(const Game& game) {
    float far = std::max(largest(game.getCamera()->getEye()), largest(game.getCamera()->getTarget()));
    for (const Sphere* sphere : game.getPatch()->getSpheres()) far = std::max(far, largest(sphere->getPosition()));
    return far;
}

void FrameHunt::write(int tick, double millis, const Game& game) const {
    std::ofstream out(folder + "/slow-frame-" + std::to_string(tick) + ".timeline");
    out << "# a frame of " << millis << " ms was drawn at tick " << tick << "\n";
    out << "# camera eye " << describe(game.getCamera()->getEye()) << ", target "
        << describe(game.getCamera()->getTarget()) << "\n";
    out << "# farthest coordinate handed to the renderer: " << farthestCoordinate(game) << "\n";
    out << input.toText();
}

}  // namespace quiltRush
