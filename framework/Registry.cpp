#include "framework/Registry.h"

#include <stdexcept>

#include "framework/DebugNotifier.h"
#include "framework/DrawNotifier.h"
#include "framework/DrawOverlayNotifier.h"
#include "framework/KeyboardEventNotifier.h"
#include "framework/MouseEventNotifier.h"
#include "framework/ReshapeEventNotifier.h"
#include "framework/UpdateNotifier.h"

namespace kiln {

namespace {

template <class Interface, class Family>
void connectIfImplemented(Entity* entity) {
    if (auto* listener = dynamic_cast<Interface*>(entity)) Family::instance()->addListener(listener);
}

}  // namespace

Registry::~Registry() {
    for (auto& entry : entities) delete entry.second;
    entities.clear();
}

void Registry::add(Entity* entity) {
    if (!entities.emplace(entity->getId(), entity).second) {
        throw std::runtime_error("[kiln::Registry] entity '" + entity->getId() + "' already exists.");
    }
    registerListeners(entity);
}

void Registry::registerListeners(Entity* entity) {
    connectIfImplemented<IKeyboardEventListener, KeyboardEventNotifier>(entity);
    connectIfImplemented<IMouseEventListener, MouseEventNotifier>(entity);
    connectIfImplemented<IReshapeEventListener, ReshapeEventNotifier>(entity);
    connectIfImplemented<IUpdateListener, UpdateNotifier>(entity);
    connectIfImplemented<IDrawListener, DrawNotifier>(entity);
    connectIfImplemented<IDrawOverlayListener, DrawOverlayNotifier>(entity);
    connectIfImplemented<IDebugListener, DebugNotifier>(entity);
}

Entity* Registry::release(const std::string& id) {
    auto found = entities.find(id);
    if (found == entities.end()) return nullptr;
    Entity* entity = found->second;
    entities.erase(found);
    return entity;
}

void Registry::initAll() {
    for (auto& entry : entities) entry.second->init();
}

Entity* Registry::find(const std::string& id) const {
    auto found = entities.find(id);
    return found == entities.end() ? nullptr : found->second;
}

}  // namespace kiln
