#pragma once

namespace kiln {

/// For the life of the process: every heap block of 128 KiB or more becomes a
/// mapping of its own, handed back to the system when it is freed, and up to
/// 8 MiB freed at the heap's top stays for the next frame to reuse. Called
/// first thing at start-up; with an allocator other than glibc's it does nothing.
void setHeapPolicy();

}  // namespace kiln
