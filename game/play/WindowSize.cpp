#include "game/play/WindowSize.h"

#include "framework/Manager.h"

namespace quiltRush {

WindowSize runningWindowSize() {
    const kiln::Application* app = kiln::Manager::instance()->getApp();
    if (app == nullptr) return {};
    return {app->getWidth(), app->getHeight()};
}

}  // namespace quiltRush
