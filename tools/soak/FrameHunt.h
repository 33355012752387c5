#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/driver/InputTimeline.h"

namespace quiltRush {

class Game;

/// The soak run's watch for slow frames: it times every drawn frame, keeps the
/// whole input so far, and for each frame over the limit that is the slowest
/// yet writes that input as a timeline that replays up to the slow frame, with
/// what the frame held (the camera, the farthest coordinate drawn) in its comments.
class FrameHunt {
public:
    static constexpr double kSlowFrameMillis = 100.0;

    /// Timelines go to folder/slow-frame-TICK.timeline.
    explicit FrameHunt(std::string folder);

    void record(const InputEvent& event);
    /// One drawn frame of the given tick and its wall-clock milliseconds.
    void frame(int tick, double millis, const Game& game);

    std::size_t getFrames() const { return durations.size(); }
    std::size_t getSlowFrames() const { return slow; }
    double getSlowest() const { return slowest; }
    int getSlowestTick() const { return slowestTick; }
    /// The frame time below which the given share (0 to 1) of frames lie.
    double percentile(double share) const;
    /// The largest absolute coordinate of any cloth sphere or the camera's
    /// eye and target: what the renderer was given.
    static float farthestCoordinate(const Game& game);

private:
    void write(int tick, double millis, const Game& game) const;

    std::string folder;
    InputTimeline input;
    std::vector<double> durations;
    std::size_t slow = 0;
    double slowest = 0.0;
    int slowestTick = -1;
};

}  // namespace quiltRush
