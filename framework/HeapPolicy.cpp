// glibc starts by mapping every block of 128 KiB or more apart, but each time
// such a block is freed it raises that threshold to the block's size. The GL
// driver frees large buffers early on (the mipmap builder's scaled images, for
// one), so from then on its large per-frame buffers came from the heap itself,
// between its many small blocks: the heap's top stayed resident after they
// were freed and crept up, by about a megabyte an hour, as they landed in
// new places. The threshold is therefore fixed where it started.
//
// Fixing it also fixes the trim threshold, at 128 KiB unless set: the heap
// would then be cut back after every frame and its pages faulted in again on
// the next, which costs the software renderer's frame several milliseconds.
// A frame's command memory is a few megabytes, so 8 MiB keeps it.
#include "framework/HeapPolicy.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace kiln {

void setHeapPolicy() {
#if defined(__GLIBC__) && defined(M_MMAP_THRESHOLD) && defined(M_TRIM_THRESHOLD)
    constexpr int kMapAtBytes = 128 * 1024;
    constexpr int kKeepAtTopBytes = 8 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kMapAtBytes);
    mallopt(M_TRIM_THRESHOLD, kKeepAtTopBytes);
#endif
}

}  // namespace kiln
