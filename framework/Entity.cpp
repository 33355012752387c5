#include "framework/Entity.h"

namespace kiln {

Entity::Entity(const std::string& id) : id(id) {}

void Entity::print(std::ostream& out) {
    out << (state.enabled ? "[+]" : "[-]") << " " << id;
}

}  // namespace kiln
