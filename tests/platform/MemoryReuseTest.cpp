// Memory freed in a burst stays with the process once keepFreedMemoryForReuse has run; the
// huge-page setting joins the C library's tunables.
#include "platform/MemoryReuse.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <memory>
#include <vector>

namespace glossel {
namespace {

TEST(MemoryReuse, PagesFreedInABurstStayInTheHeap) {
    keepFreedMemoryForReuse();
    constexpr std::size_t kPages = 4096;  // 16 MiB in page-sized pieces
    std::vector<std::unique_ptr<std::uint8_t[]>> pages;
    for (std::size_t i = 0; i < kPages; ++i) {
        pages.push_back(std::make_unique<std::uint8_t[]>(4096));
    }
    const std::size_t heapWithPages = mallinfo2().arena;
    pages.clear();
    pages.shrink_to_fit();
    EXPECT_GE(mallinfo2().arena, heapWithPages);
}

TEST(MemoryReuse, HugePageHeapJoinsTheTunablesUnlessTheyChooseAlready) {
    EXPECT_EQ(tunablesWithHugePageHeap(nullptr), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(tunablesWithHugePageHeap(""), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(tunablesWithHugePageHeap("glibc.malloc.check=3"),
              "glibc.malloc.check=3:glibc.malloc.hugetlb=1");
    EXPECT_EQ(tunablesWithHugePageHeap("glibc.malloc.hugetlb=0"), std::nullopt);
    EXPECT_EQ(tunablesWithHugePageHeap("glibc.malloc.check=3:glibc.malloc.hugetlb=2"),
              std::nullopt);
    EXPECT_EQ(tunablesWithHugePageHeap("glibc.malloc.hugetlb_x=1"),
              "glibc.malloc.hugetlb_x=1:glibc.malloc.hugetlb=1");
}

}  // namespace
}  // namespace glossel
