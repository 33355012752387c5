// quiltrush-menu-layout: prints the game's window size and where the menu's
// buttons and the level screen's cards are clicked on it as shell
// assignments (kWindowWidth=640 kWindowHeight=480, kNewX=320 kNewY=164, ...,
// kLevelsX=552 kLevelsY=164, kCard1X=120 kCard1Y=168, ...), for scripts that
// play the game: eval "$(quiltrush-menu-layout)".
#include <cstdio>

#include "game/play/LevelScreen.h"
#include "game/play/MenuLayout.h"

int main() {
    namespace layout = quiltRush::menuLayout;
    std::printf("kWindowWidth=%d kWindowHeight=%d\n", layout::kWindowWidth, layout::kWindowHeight);
    for (std::size_t i = 0; i < layout::kButtons; ++i) {
        std::printf("k%sX=%d k%sY=%d\n", layout::kButtonNames[i], layout::clickX(i), layout::kButtonNames[i],
                    layout::clickY(i));
    }
    std::printf("kLevelsX=%d kLevelsY=%d\n", layout::levelsClickX(), layout::levelsClickY());
    for (std::size_t i = 0; i < quiltRush::LevelScreen::kMaxCards; ++i) {
        int cx = 0;
        int cy = 0;
        quiltRush::LevelScreen::cardCentre(i, cx, cy);
        std::printf("kCard%zuX=%d kCard%zuY=%d\n", i + 1, layout::kWindowWidth / 2 + cx, i + 1,
                    layout::kWindowHeight / 2 - cy);
    }
    return 0;
}
