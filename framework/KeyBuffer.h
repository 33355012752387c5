#pragma once

#include "framework/Singleton.h"

namespace kiln {

/// Which keys are down now, written by the GLUT keyboard callbacks.
class KeyBuffer : public Singleton<KeyBuffer> {
public:
    static constexpr int kKeyCount = 256;
    static constexpr int kSpecialKeyCount = 22;

    virtual ~KeyBuffer() = default;

    /// The slot of a GLUT special-key code: codes below 100 map to code - 1,
    /// others to code - 88 (F1..F12 -> 0..11, left..insert -> 12..20, 109 -> 21); -1 for
    /// any code outside 1..12 and 100..109, which has no slot.
    static int specialIndex(int code);

    void setKey(unsigned char key, bool down) { keys[key] = down; }
    /// A code without a slot is not recorded.
    void setSpecialKey(int code, bool down);
    bool isKeyDown(unsigned char key) const { return keys[key]; }
    bool isSpecialKeyDown(int code) const;

private:
    friend class Singleton<KeyBuffer>;
    KeyBuffer() = default;

    bool keys[kKeyCount] = {};
    bool specialKeys[kSpecialKeyCount] = {};
};

}  // namespace kiln
