#pragma once

#include "framework/IUpdateListener.h"
#include "framework/Notifier.h"
#include "framework/Singleton.h"

namespace kiln {

/// Singleton notifier of the IUpdateListener interface.
class UpdateNotifier : public Notifier<IUpdateListener>, public Singleton<UpdateNotifier> {
public:
    void update(unsigned long elapsed);

private:
    friend class Singleton<UpdateNotifier>;
    UpdateNotifier() = default;
};

}  // namespace kiln
