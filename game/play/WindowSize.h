#pragma once

#include <functional>

namespace quiltRush {

/// A window size in pixels.
struct WindowSize {
    unsigned int width = 0;
    unsigned int height = 0;
};

/// Where an entity reads the window size; the running application's by
/// default, a fixed size in tests.
using WindowSizeSource = std::function<WindowSize()>;

/// The current size of the running application's window (kiln::Manager's
/// app), kept up to date by the reshape callback; 0 x 0 while none runs.
WindowSize runningWindowSize();

}  // namespace quiltRush
