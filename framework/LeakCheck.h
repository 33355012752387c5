#pragma once

namespace kiln {

/// Call right after glutCreateWindow. In a build with AddressSanitizer the
/// leak check then runs while freeglut still has the display open: at exit,
/// or when the window is closed; in any other build it does nothing.
void checkLeaksBeforeGlutExits();

}  // namespace kiln
