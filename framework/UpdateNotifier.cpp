#include "framework/UpdateNotifier.h"

namespace kiln {

void UpdateNotifier::update(unsigned long elapsed) {
    dispatch([&](IUpdateListener& listener) { listener.update(elapsed); });
}

}  // namespace kiln
