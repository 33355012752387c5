// quiltrush-menu-layout: prints where the menu's buttons are clicked on the
// game's 640 x 480 window as shell assignments (kNewX=320 kNewY=164, ...),
// for scripts that play the game: eval "$(quiltrush-menu-layout)".
#include <cstdio>

#include "game/play/MenuLayout.h"

int main() {
    namespace layout = quiltRush::menuLayout;
    for (std::size_t i = 0; i < layout::kButtons; ++i) {
        std::printf("k%sX=%d k%sY=%d\n", layout::kButtonNames[i], layout::clickX(i), layout::kButtonNames[i],
                    layout::clickY(i));
    }
    return 0;
}
