#pragma once

#include "framework/IDrawOverlayListener.h"
#include "framework/Notifier.h"
#include "framework/Singleton.h"

namespace kiln {

/// Singleton notifier of the IDrawOverlayListener interface.
class DrawOverlayNotifier : public Notifier<IDrawOverlayListener>, public Singleton<DrawOverlayNotifier> {
public:
    void drawOverlay();

private:
    friend class Singleton<DrawOverlayNotifier>;
    DrawOverlayNotifier() = default;
};

}  // namespace kiln
