#pragma once

namespace kiln {

class Entity;

/// One listener of a notifier: the object seen as interface I and as the
/// entity whose enabled flag gates its calls. Owns neither.
template <class I>
struct ListenerInfo {
    I* listener;
    Entity* entity;
};

}  // namespace kiln
