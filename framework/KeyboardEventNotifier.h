#pragma once

#include "framework/IKeyboardEventListener.h"
#include "framework/Notifier.h"
#include "framework/Singleton.h"

namespace kiln {

/// Singleton notifier of the IKeyboardEventListener interface.
class KeyboardEventNotifier : public Notifier<IKeyboardEventListener>, public Singleton<KeyboardEventNotifier> {
public:
    void onKeyPressed(unsigned char key);
    void onKeyReleased(unsigned char key);
    void onSpecialKeyPressed(int key);
    void onSpecialKeyReleased(int key);

private:
    friend class Singleton<KeyboardEventNotifier>;
    KeyboardEventNotifier() = default;
};

}  // namespace kiln
