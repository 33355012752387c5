#include "game/play/InfoScreen.h"

#include "framework/InputCodes.h"
#include "game/play/Game.h"
#include "game/play/InputHandler.h"

namespace quiltRush {

namespace {

using namespace kiln::inputCodes;
}

void InfoScreen::onKeyPressed(unsigned char key) {
    if (key != kEscape) return;
    // The screens reach the game the way everything else does: through the input handler.
    Game* game = InputHandler::instance()->getGame();
    if (game != nullptr) game->showMenu();
}

}  // namespace quiltRush
