#pragma once

namespace testSupport {

/// Makes a 640 x 480 double-buffered GLUT window current, once per process.
/// Needs a display (the test command runs under Xvfb).
void ensureGlContext();

}  // namespace testSupport
