// Freed memory kept through the C library's allocator settings: blocks up to 32 MiB come from the
// heap rather than from mappings of their own, the top of the heap is given back only beyond
// 128 MiB, and the heap grows 16 MiB at a time.
#include "platform/MemoryReuse.h"

#include <malloc.h>

namespace glossel {

void keepFreedMemoryForReuse() {
    constexpr int kKeptTop = 128 << 20;
    constexpr int kGrowth = 16 << 20;
    constexpr int kLargestFromHeap = 32 << 20;
    ::mallopt(M_MMAP_THRESHOLD, kLargestFromHeap);
    ::mallopt(M_TRIM_THRESHOLD, kKeptTop);
    ::mallopt(M_TOP_PAD, kGrowth);
}

}  // namespace glossel
