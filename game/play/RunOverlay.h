#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Entity.h"
#include "framework/IDrawOverlayListener.h"
#include "framework/IUpdateListener.h"
#include "game/scene/LevelPack.h"

namespace quiltRush {

class Game;

/// The run at a glance while playing: the checkpoints passed of all and the
/// run's seconds in the top-left corner ("2/4  12.3") beside the level's
/// number and name, the level's hint under them for the first seconds of a
/// run (lower down where it would run into a tack icon), and for a moment
/// after a fall a note that a new run began. A play entity: off while a
/// screen is up, hidden once every checkpoint is passed (the finish screen
/// shows the time).
class RunOverlay : public kiln::Entity, public kiln::IUpdateListener, public kiln::IDrawOverlayListener {
public:
    static constexpr std::uint32_t kFallNoteMillis = 2500;  // long enough to read, short enough not to bother
    static constexpr std::uint32_t kHintMillis = 8000;      // of every run: the hint, then the view is clear

    /// A box of the overlay in window pixels, origin bottom-left.
    struct Box {
        int left;
        int bottom;
        int right;
        int top;
    };

    /// Id "RunOverlay"; reads the game it is given, which outlives it.
    explicit RunOverlay(const Game& game);

    void init() override {}
    /// The pack level being played, numbered from 1; without one only the run is shown.
    void setLevel(std::size_t number, const PackLevel& level);
    /// Notices a fall since the last tick and counts the note's time down; a
    /// run restarted otherwise (Enter) takes the note away.
    void update(unsigned long elapsed) override;
    void drawOverlay() override;

    bool isFallNoteShown() const { return fallNoteLeft > 0; }
    /// Passed of total, two spaces, whole seconds and tenths (cut, not rounded,
    /// so it never runs ahead of the finish time): (2, 4, 12345) -> "2/4  12.3".
    static std::string progressText(unsigned int passed, std::size_t total, std::uint32_t millis);
    const std::string& getLevelText() const { return levelText; }
    /// Where the top of a box of height wanted can go, from wanted's top down,
    /// so that it meets none of the obstacles: that top itself, or a gap below
    /// the lowest obstacle in its way.
    static int topClearOf(const Box& wanted, const std::vector<Box>& obstacles);

private:
    void drawPanel(int left, int top, int width, int height) const;
    void drawLevel(int top, int viewportWidth, int viewportHeight) const;

    const Game& game;
    std::string levelText;  // "2  Ramp"
    std::string hint;
    unsigned int fallsSeen = 0;
    std::uint32_t fallNoteLeft = 0;
    float lastRunTime = 0.0f;  // the game's run time at the last update
};

}  // namespace quiltRush
