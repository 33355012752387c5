#include "framework/DebugNotifier.h"

namespace kiln {

void DebugNotifier::debug() {
    std::ostream& log = DebugFile::instance()->stream;
    dispatch([&](IDebugListener& listener) { listener.debug(log); });
}

}  // namespace kiln
