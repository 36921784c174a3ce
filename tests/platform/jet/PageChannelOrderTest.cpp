// The order in which changed pages reach the file: a page flushed as a barrier before every page
// changed after it, the barrier list in its order, and a listed page changed again after later
// barriers only once the list before it is written.
#include <gtest/gtest.h>

#include "platform/jet/PageChannel.h"

namespace glossel::jet {
namespace {

// Remembers which page each write went to.
class RecordingStore : public PageStore {
public:
    RecordingStore(std::size_t pages, std::vector<std::uint32_t>& written)
        : inner_(std::vector<std::uint8_t>(pages * jet4Format().pageSize)), written_(written) {}

    std::uint64_t size() const override { return inner_.size(); }
    void read(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        inner_.read(offset, out);
    }
    bool writable() const override { return true; }
    void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        written_.push_back(static_cast<std::uint32_t>(offset / jet4Format().pageSize));
        inner_.write(offset, bytes);
    }
    void sync() override {}

private:
    MemoryStore inner_;
    std::vector<std::uint32_t>& written_;
};

class PageOrder : public testing::Test {
protected:
    void change(std::uint32_t page) { channel_.change(page)[0] += 1; }

    std::vector<std::uint32_t> written_;
    PageChannel channel_{std::make_unique<RecordingStore>(8, written_), jet4Format(), "order.mdb"};
};

TEST_F(PageOrder, BarrierPagesGoFirstInTheirOrderThenTheRestAscending) {
    change(1);
    change(5);
    channel_.flush(5);
    change(3);
    channel_.flush(3);
    change(2);
    EXPECT_TRUE(written_.empty()) << "barriers alone write nothing";
    channel_.flushAll();
    EXPECT_EQ(written_, (std::vector<std::uint32_t>{5, 3, 1, 2}));
}

TEST_F(PageOrder, PageForNewRowsIsWrittenOnceForManyChanges) {
    for (int row = 0; row < 20; ++row) {
        change(4);
        channel_.flush(4);
        change(row % 2 == 0 ? 1 : 2);
    }
    channel_.flushAll();
    EXPECT_EQ(written_, (std::vector<std::uint32_t>{4, 1, 2}));
}

TEST_F(PageOrder, ChangingAListedPageWithLaterBarriersWritesTheListFirst) {
    change(6);
    channel_.flush(6);
    change(2);
    channel_.flush(2);
    change(6);
    EXPECT_EQ(written_, (std::vector<std::uint32_t>{6, 2}));
    channel_.flushAll();
    EXPECT_EQ(written_, (std::vector<std::uint32_t>{6, 2, 6}));
}

}  // namespace
}  // namespace glossel::jet
