#pragma once

#include "framework/IDrawListener.h"
#include "framework/Notifier.h"
#include "framework/Singleton.h"

namespace kiln {

/// Singleton notifier of the IDrawListener interface.
class DrawNotifier : public Notifier<IDrawListener>, public Singleton<DrawNotifier> {
public:
    void draw();

private:
    friend class Singleton<DrawNotifier>;
    DrawNotifier() = default;
};

}  // namespace kiln
