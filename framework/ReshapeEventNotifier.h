#pragma once

#include "framework/IReshapeEventListener.h"
#include "framework/Notifier.h"
#include "framework/Singleton.h"

namespace kiln {

/// Singleton notifier of the IReshapeEventListener interface.
class ReshapeEventNotifier : public Notifier<IReshapeEventListener>, public Singleton<ReshapeEventNotifier> {
public:
    void onReshape(int width, int height);

private:
    friend class Singleton<ReshapeEventNotifier>;
    ReshapeEventNotifier() = default;
};

}  // namespace kiln
