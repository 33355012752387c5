#pragma once

#include "framework/IDebugListener.h"
#include "framework/Notifier.h"
#include "framework/Singleton.h"

namespace kiln {

/// Singleton notifier of the IDebugListener interface.
class DebugNotifier : public Notifier<IDebugListener>, public Singleton<DebugNotifier> {
public:
    /// Passes the log file's stream, opening log.txt if needed.
    void debug();

private:
    friend class Singleton<DebugNotifier>;
    DebugNotifier() = default;
};

}  // namespace kiln
