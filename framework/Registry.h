#pragma once

#include <map>
#include <string>

#include "framework/Entity.h"
#include "framework/Singleton.h"

namespace kiln {

/// Owns every entity, keyed by id, and connects each to the notifiers of the
/// listener interfaces it implements.
class Registry : public Singleton<Registry> {
public:
    /// Deletes every entity, in ascending id order.
    virtual ~Registry();

    /// Takes ownership of a non-null entity and adds it to its notifiers in the
    /// order keyboard, mouse, reshape, update, draw, overlay, debug. A duplicate
    /// id throws std::runtime_error; the caller then keeps the entity.
    void add(Entity* entity);

    /// Hands the entity with this id back to the caller, who owns it from now
    /// on; null when there is none. Its listener records stay in the
    /// notifiers: release only on the way to Manager::destroyEntities.
    Entity* release(const std::string& id);

    /// Calls init of every entity in ascending byte order of the ids.
    void initAll();

    /// The entity with this id, or null.
    Entity* find(const std::string& id) const;
    std::size_t size() const { return entities.size(); }

private:
    friend class Singleton<Registry>;
    Registry() = default;

    void registerListeners(Entity* entity);

    std::map<std::string, Entity*> entities;
};

}  // namespace kiln
