// quiltrush-menu-layout: prints where the menu's buttons and the level
// screen's cards are clicked on the game's 640 x 480 window as shell
// assignments (kNewX=320 kNewY=164, ..., kLevelsX=552 kLevelsY=164,
// kCard1X=120 kCard1Y=168, ...), for scripts that play the game:
// eval "$(quiltrush-menu-layout)".
#include <cstdio>

#include "game/play/LevelScreen.h"
#include "game/play/MenuLayout.h"

int main() {
    namespace layout = quiltRush::menuLayout;
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
