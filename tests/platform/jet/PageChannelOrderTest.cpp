// The order in which changed pages reach the file: a page flushed as a barrier before every page
// changed after it, the barrier list in its order, and a listed page changed again after later
// barriers only once the list before it is written; pages with consecutive numbers outside the
// list in one write.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/jet/PageChannel.h"

namespace glossel::jet {
namespace {

// Remembers which pages the writes went to, and how many pages each write held.
class RecordingStore : public PageStore {
public:
    RecordingStore(std::size_t pages, std::vector<std::uint32_t>& written,
                   std::vector<std::size_t>& writeSizes)
        : inner_(std::vector<std::uint8_t>(pages * jet4Format().pageSize)),
          written_(written),
          writeSizes_(writeSizes) {}

    void read(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        inner_.read(offset, out);
    }
    bool writable() const override { return true; }
    void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        const std::size_t pageSize = jet4Format().pageSize;
        for (std::size_t page = 0; page < bytes.size() / pageSize; ++page) {
            written_.push_back(static_cast<std::uint32_t>(offset / pageSize + page));
        }
        writeSizes_.push_back(bytes.size() / pageSize);
        inner_.write(offset, bytes);
    }
    void truncate(std::uint64_t length) override {
        EXPECT_EQ(syncs_, 0) << "the file is cut before its one sync";
        inner_.truncate(length);
    }
    void sync() override { ++syncs_; }

    std::uint64_t size() const override { return inner_.size(); }
    int syncs() const { return syncs_; }

private:
    MemoryStore inner_;
    int syncs_ = 0;
    std::vector<std::uint32_t>& written_;
    std::vector<std::size_t>& writeSizes_;
};

class PageOrder : public testing::Test {
protected:
    void change(std::uint32_t page) { channel_.change(page)[0] += 1; }

    std::vector<std::uint32_t> written_;
    std::vector<std::size_t> writeSizes_;
    RecordingStore* store_ = new RecordingStore(8, written_, writeSizes_);
    PageChannel channel_{std::unique_ptr<PageStore>(store_), jet4Format(), "order.mdb"};
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
    EXPECT_EQ(writeSizes_, (std::vector<std::size_t>{1, 1, 2}));
}

TEST_F(PageOrder, ConsecutiveListedPagesStillGoOneByOneInListOrder) {
    for (std::uint32_t page : {3, 4, 2}) {
        change(page);
        channel_.flush(page);
    }
    change(6);
    change(7);
    channel_.flushAll();
    EXPECT_EQ(written_, (std::vector<std::uint32_t>{3, 4, 2, 6, 7}));
    EXPECT_EQ(writeSizes_, (std::vector<std::size_t>{1, 1, 1, 2}));
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

TEST_F(PageOrder, PagesReadAlongWithAnotherKeepTheChangesNotYetWritten) {
    change(3);
    change(3);
    const std::uint32_t appended = channel_.appendPage();
    channel_.change(appended)[0] = 9;
    EXPECT_EQ((*channel_.page(2))[0], 0);
    EXPECT_EQ((*channel_.page(3))[0], 2);
    EXPECT_EQ((*channel_.page(appended))[0], 9);
    EXPECT_TRUE(written_.empty());
}

TEST_F(PageOrder, ShorteningWritesTheChangedPagesThenCutsTheFileAndSyncsOnce) {
    change(1);
    channel_.flush(1);
    change(2);
    channel_.shorten(3);
    EXPECT_EQ(written_, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(store_->size(), 3 * jet4Format().pageSize);
    EXPECT_EQ(store_->syncs(), 1);
    EXPECT_EQ(channel_.pageCount(), 3u);
    EXPECT_EQ((*channel_.page(2))[0], 1);
    EXPECT_THROW(channel_.page(3), Error);
    channel_.flushAll();
    EXPECT_EQ(store_->syncs(), 1) << "nothing left to write, nothing more to sync";
}

}  // namespace
}  // namespace glossel::jet
