#include "framework/KeyBuffer.h"

namespace kiln {

int KeyBuffer::specialIndex(int code) {
    // Only the function keys (1..12) and the cursor block (100..109) have
    // slots; without this check codes 13..22 would land in the cursor slots.
    bool functionKey = code >= 1 && code <= 12;
    bool cursorKey = code >= 100 && code <= 109;
    if (!functionKey && !cursorKey) return -1;
    return code < 100 ? code - 1 : code - 88;
}

void KeyBuffer::setSpecialKey(int code, bool down) {
    int index = specialIndex(code);
    if (index >= 0) specialKeys[index] = down;
}

bool KeyBuffer::isSpecialKeyDown(int code) const {
    int index = specialIndex(code);
    return index >= 0 && specialKeys[index];
}

}  // namespace kiln
