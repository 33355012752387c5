#include "framework/DrawNotifier.h"

namespace kiln {

void DrawNotifier::draw() {
    dispatch([](IDrawListener& listener) { listener.draw(); });
}

}  // namespace kiln
