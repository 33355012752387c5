#pragma once

#include <ostream>
#include <string>

#include "framework/State.h"

namespace kiln {

/// Base of every game object: a unique id (its key in the registry and the
/// notifiers) and a state whose enabled flag gates every notification.
class Entity {
public:
    explicit Entity(const std::string& id);
    virtual ~Entity() = default;

    /// Called once by Registry::initAll, after every entity exists.
    virtual void init() = 0;
    /// Writes "[+] id" when enabled, "[-] id" otherwise.
    virtual void print(std::ostream& out);

    const std::string& getId() const { return id; }

    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    State state;

private:
    std::string id;
};

}  // namespace kiln
