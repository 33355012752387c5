#pragma once

#include "framework/IMouseEventListener.h"
#include "framework/Notifier.h"
#include "framework/Singleton.h"

namespace kiln {

/// Singleton notifier of the IMouseEventListener interface.
class MouseEventNotifier : public Notifier<IMouseEventListener>, public Singleton<MouseEventNotifier> {
public:
    void onMouseButton(int button, int state, int x, int y);
    void onMouseMotion(int x, int y);
    void onMousePassiveMotion(int x, int y);

private:
    friend class Singleton<MouseEventNotifier>;
    MouseEventNotifier() = default;
};

}  // namespace kiln
