#include "framework/KeyBuffer.h"

namespace kiln {

int KeyBuffer::specialIndex(int code) {
    int index = code < 100 ? code - 1 : code - 88;
    return (index >= 0 && index < kSpecialKeyCount) ? index : -1;
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
