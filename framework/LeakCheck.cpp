// When freeglut closes the X display, Mesa unloads its driver and drops the
// driver's memory without freeing it: a leak check after that reports the
// window's and context's buffers, from a library that is no longer there to
// name. freeglut closes the display in two places: in its exit handler,
// registered by glutInit, and, before it calls exit, when the window is
// closed. Exit handlers run in reverse order of registration, so one
// registered after glutInit checks first; the window's close callback runs
// before freeglut tears anything down. Either way the check runs while the
// driver's memory is still in use, and every object of ours that is lost is
// still found. The check runs once; a later request does nothing.
#include "framework/LeakCheck.h"

#if defined(__SANITIZE_ADDRESS__)
#define KILN_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KILN_LEAK_CHECK 1
#endif
#endif

#ifdef KILN_LEAK_CHECK
#include <GL/freeglut.h>
#include <sanitizer/lsan_interface.h>

#include <cstdlib>
#endif

namespace kiln {

#ifdef KILN_LEAK_CHECK
namespace {

void checkNow() { __lsan_do_leak_check(); }

}  // namespace
#endif

void checkLeaksBeforeGlutExits() {
#ifdef KILN_LEAK_CHECK
    static bool registered = false;
    if (!registered) std::atexit(checkNow);
    registered = true;
    glutCloseFunc(checkNow);
#endif
}

}  // namespace kiln
