#pragma once

#include "framework/Application.h"

namespace quiltRush {

/// Stand-in application until the game's own exists: an empty window on the timer loop.
class StartupApplication : public kiln::Application {
public:
    void createEntities() override {}
};

}  // namespace quiltRush
