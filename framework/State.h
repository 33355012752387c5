#pragma once

namespace kiln {

/// On/off switch of an entity or notifier; while off, its owner gets no notification.
class State {
public:
    virtual ~State() = default;

    bool enabled = true;
};

}  // namespace kiln
