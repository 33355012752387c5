#include "framework/KeyboardEventNotifier.h"

namespace kiln {

void KeyboardEventNotifier::onKeyPressed(unsigned char key) {
    dispatch([&](IKeyboardEventListener& listener) { listener.onKeyPressed(key); });
}

void KeyboardEventNotifier::onKeyReleased(unsigned char key) {
    dispatch([&](IKeyboardEventListener& listener) { listener.onKeyReleased(key); });
}

void KeyboardEventNotifier::onSpecialKeyPressed(int key) {
    dispatch([&](IKeyboardEventListener& listener) { listener.onSpecialKeyPressed(key); });
}

void KeyboardEventNotifier::onSpecialKeyReleased(int key) {
    dispatch([&](IKeyboardEventListener& listener) { listener.onSpecialKeyReleased(key); });
}

}  // namespace kiln
