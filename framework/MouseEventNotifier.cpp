#include "framework/MouseEventNotifier.h"

namespace kiln {

void MouseEventNotifier::onMouseButton(int button, int buttonState, int x, int y) {
    dispatch([&](IMouseEventListener& listener) { listener.onMouseButton(button, buttonState, x, y); });
}

void MouseEventNotifier::onMouseMotion(int x, int y) {
    dispatch([&](IMouseEventListener& listener) { listener.onMouseMotion(x, y); });
}

void MouseEventNotifier::onMousePassiveMotion(int x, int y) {
    dispatch([&](IMouseEventListener& listener) { listener.onMousePassiveMotion(x, y); });
}

}  // namespace kiln
