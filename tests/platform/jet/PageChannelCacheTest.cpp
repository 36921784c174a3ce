// The page cache over a file larger than it holds: pages read after others left the cache have
// their own bytes, a page still held by a reader keeps its bytes however many pages follow and
// sees a writer's later changes, and new pages start zeroed.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/jet/PageChannel.h"

namespace glossel::jet {
namespace {

constexpr std::uint32_t kPages = 5000;  // more than twice what the cache holds

std::vector<std::uint8_t> numberedPages() {
    const std::size_t pageSize = jet4Format().pageSize;
    std::vector<std::uint8_t> bytes(kPages * pageSize);
    for (std::uint32_t page = 0; page < kPages; ++page) {
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(page * pageSize), pageSize,
                    static_cast<std::uint8_t>(page % 251));
    }
    return bytes;
}

bool holds(const PageBuffer& buffer, std::uint32_t page) {
    return std::all_of(buffer->begin(), buffer->end(),
                       [page](std::uint8_t byte) { return byte == page % 251; });
}

TEST(PageCache, PagesKeepTheirOwnBytesWhileOthersComeAndGo) {
    PageChannel channel(std::make_unique<MemoryStore>(numberedPages()), jet4Format(), "cache.mdb");
    const PageBuffer held = channel.page(7);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::uint32_t page = 0; page < kPages; ++page) {
            ASSERT_TRUE(holds(channel.page(page), page)) << "page " << page << ", pass " << pass;
        }
    }
    EXPECT_TRUE(holds(held, 7)) << "a page a reader holds is not given to another";

    for (std::uint32_t page = 0; page < kPages; page += 3) {
        channel.page(page);
    }
    const std::uint32_t appended = channel.appendPage();
    const PageBuffer fresh = channel.page(appended);
    EXPECT_TRUE(std::all_of(fresh->begin(), fresh->end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(PageCache, AHeldPageSeesChangesMadeAfterManyOthersWereWritten) {
    PageChannel channel(std::make_unique<MemoryStore>(numberedPages()), jet4Format(), "cache.mdb");
    const PageBuffer held = channel.page(7);
    for (std::uint32_t page = 0; page < kPages; ++page) {
        channel.change(page)[0] = 0xEE;
        channel.flushIfFull();
    }
    for (std::uint32_t page = 0; page < kPages; ++page) {
        channel.page(page);
    }
    channel.change(7)[1] = 0xDD;
    EXPECT_EQ((*held)[0], 0xEE);
    EXPECT_EQ((*held)[1], 0xDD) << "the reader's buffer is the page's, not a copy left behind";
    EXPECT_EQ((*channel.page(7))[1], 0xDD);
}

}  // namespace
}  // namespace glossel::jet
