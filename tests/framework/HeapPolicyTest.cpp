#include "framework/HeapPolicy.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstddef>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define HEAP_POLICY_UNDER_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HEAP_POLICY_UNDER_SANITIZER 1
#endif
#endif

namespace {

// A block the compiler cannot drop: it is written through a volatile pointer.
void* touchedBlock(std::size_t bytes) {
    void* block = std::malloc(bytes);
    static_cast<volatile char*>(block)[bytes - 1] = 1;
    return block;
}

std::size_t mappedBlocks() { return mallinfo2().hblks; }

// Freeing an 8 MiB block would otherwise raise glibc's threshold to 8 MiB, and
// the 512 KiB block after it would come from the heap and leave its pages
// resident there once freed.
TEST(HeapPolicyTest, LargeBlocksStayMappedApartAfterALargerOneWasFreed) {
#ifdef HEAP_POLICY_UNDER_SANITIZER
    GTEST_SKIP() << "the sanitizer's allocator keeps blocks its own way";
#endif
    kiln::setHeapPolicy();
    std::free(touchedBlock(8u << 20));

    std::size_t before = mappedBlocks();
    void* block = touchedBlock(512u << 10);
    EXPECT_EQ(mappedBlocks(), before + 1);
    std::free(block);
    EXPECT_EQ(mappedBlocks(), before);

    void* small = touchedBlock(4u << 10);
    EXPECT_EQ(mappedBlocks(), before);
    std::free(small);
}

// A frame's command memory, freed at the end of the frame, stays in the heap
// for the next one instead of being given back and faulted in again.
TEST(HeapPolicyTest, AFramesWorthFreedAtTheHeapTopStaysForTheNext) {
#ifdef HEAP_POLICY_UNDER_SANITIZER
    GTEST_SKIP() << "the sanitizer's allocator keeps blocks its own way";
#endif
    kiln::setHeapPolicy();
    constexpr int kBlocks = 64;  // 4 MiB in blocks below the mapping threshold
    void* blocks[kBlocks];
    for (void*& block : blocks) block = touchedBlock(64u << 10);
    std::size_t grown = mallinfo2().arena;
    for (int i = kBlocks - 1; i >= 0; --i) std::free(blocks[i]);
    EXPECT_GE(mallinfo2().arena, grown);
}

}  // namespace
