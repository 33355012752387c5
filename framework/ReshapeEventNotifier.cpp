#include "framework/ReshapeEventNotifier.h"

namespace kiln {

void ReshapeEventNotifier::onReshape(int width, int height) {
    dispatch([&](IReshapeEventListener& listener) { listener.onReshape(width, height); });
}

}  // namespace kiln
