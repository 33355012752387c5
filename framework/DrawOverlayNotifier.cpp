#include "framework/DrawOverlayNotifier.h"

namespace kiln {

void DrawOverlayNotifier::drawOverlay() {
    dispatch([](IDrawOverlayListener& listener) { listener.drawOverlay(); });
}

}  // namespace kiln
