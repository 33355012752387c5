#include "tests/support/FrameworkReset.h"

#include "framework/DebugFile.h"
#include "framework/DebugNotifier.h"
#include "framework/DrawNotifier.h"
#include "framework/DrawOverlayNotifier.h"
#include "framework/KeyBuffer.h"
#include "framework/KeyboardEventNotifier.h"
#include "framework/Manager.h"
#include "framework/MouseEventNotifier.h"
#include "framework/MousePosition.h"
#include "framework/Properties.h"
#include "framework/Registry.h"
#include "framework/ReshapeEventNotifier.h"
#include "framework/UpdateNotifier.h"
#include "framework/Util.h"

namespace testSupport {

namespace {

// Singleton::destroy would create an unused object first (a DebugFile would
// then write log.txt into the working directory), so only existing ones go.
template <class T>
void destroyIfExists() {
    if (T::exists()) T::destroy();
}

}  // namespace

void resetFramework() {
    // Notifiers before the registry, so no listener record outlives its entity.
    destroyIfExists<kiln::KeyboardEventNotifier>();
    destroyIfExists<kiln::MouseEventNotifier>();
    destroyIfExists<kiln::ReshapeEventNotifier>();
    destroyIfExists<kiln::UpdateNotifier>();
    destroyIfExists<kiln::DrawNotifier>();
    destroyIfExists<kiln::DrawOverlayNotifier>();
    destroyIfExists<kiln::DebugNotifier>();
    destroyIfExists<kiln::Registry>();
    destroyIfExists<kiln::DebugFile>();
    destroyIfExists<kiln::KeyBuffer>();
    destroyIfExists<kiln::MousePosition>();
    destroyIfExists<kiln::Properties>();
    destroyIfExists<kiln::Util>();
    destroyIfExists<kiln::Manager>();
}

}  // namespace testSupport
