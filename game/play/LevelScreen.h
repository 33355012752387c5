#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/play/InfoScreen.h"
#include "game/scene/SoundOutput.h"

namespace quiltRush {

class BestTimes;

/// A level as the level screen shows it: its name, hint, the key of its best
/// time and the file of its picture (loaded by the screen).
struct LevelCard {
    std::string name;
    std::string hint;
    std::string bestKey;
    std::string pictureFile;
    GLuint picture = 0;
};

/// The level screen: a card for every level of the pack (its picture, name
/// and best time, or "not finished yet"), the first level not yet finished
/// marked, and the hint of the card under the mouse. A left press on a card
/// asks for that level; Escape brings the menu back.
class LevelScreen : public InfoScreen {
public:
    using Choose = std::function<void(std::size_t)>;

    // Cards in rows of three, laid out for 640 x 480 (pixels from the window
    // centre, y upwards); the one home of these numbers for tests and tools.
    static constexpr int kColumns = 3;
    static constexpr std::size_t kMaxCards = 6;  // two rows fill the window; later levels are not shown
    static constexpr int kCardWidth = 184;
    static constexpr int kCardHeight = 178;
    static constexpr int kColumnStep = 200;
    static constexpr int kFirstRowY = 78;  // centre of the first row's cards
    static constexpr int kRowStep = 192;
    static constexpr int kPictureWidth = 160;
    static constexpr int kPictureHeight = 120;

    /// Id "levels"; loads every card's picture. bests (not owned, may be
    /// null) gives the times shown.
    LevelScreen(const std::vector<LevelCard>& cards, const BestTimes* bests);

    /// A left press on a card chooses its level.
    void onMouseButton(int button, int state, int x, int y) override;
    /// Who hears a level chosen; not owned.
    void setChoose(Choose onChoose) { choose = std::move(onChoose); }
    void setSounds(SoundOutput* output) { sounds = output; }

    /// The card at window pixel (x, y) from the top-left at the current window
    /// size, or the number of cards when there is none.
    std::size_t cardAt(int x, int y) const;
    /// The centre of card i in pixels from the window centre, y upwards.
    static void cardCentre(std::size_t i, int& cx, int& cy);
    /// The card under the mouse, once the mouse has moved on this screen (the
    /// click that opened it says nothing); else the number of cards.
    std::size_t hoveredCard() const;
    /// The card whose hint shows: the hovered one, else the marked one.
    std::size_t hintedCard() const;
    /// The first level with no best time; the number of cards when all are finished.
    std::size_t firstUnfinished() const;
    std::optional<std::uint32_t> bestOf(std::size_t i) const;
    const std::vector<LevelCard>& getCards() const { return cards; }

protected:
    void drawContent() override;

private:
    void drawCard(std::size_t i, bool marked, bool hovered) const;

    std::vector<LevelCard> cards;
    const BestTimes* bests;
    Choose choose;
    SoundOutput* sounds = &SoundOutput::silence();
};

}  // namespace quiltRush
