// Table compaction, in one pass over the table's pages: rows are read in storage order (each
// one's data through its pointer) and written page after page over the table's own data pages,
// in ascending order. Before a page is overwritten, every row with its slot there has been read,
// and so has every moved row data there (counted on the page, and as pointers reach it). Rows not
// yet written wait in memory: for a table whose rows grew, those between the page being written
// and the page being read.
#include "platform/jet/TableCompaction.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <span>

#include "platform/Error.h"
#include "platform/jet/DataPage.h"
#include "platform/jet/DataPageWriter.h"
#include "platform/jet/JetDatabase.h"
#include "platform/jet/PageAllocator.h"
#include "platform/jet/RowFields.h"
#include "platform/jet/UsageMap.h"
#include "platform/jet/UsageMapWriter.h"

namespace glossel::jet {
namespace {

constexpr int kMaxOverflowHops = 8;
// The rows read and not yet written, in storage order, in blocks of about a mebibyte: rows are
// added at the back and taken from the front, and a block goes once its rows are all taken.
class WaitingRows {
public:
    bool empty() const { return lengths_.empty(); }
    std::size_t frontLength() const { return lengths_.front(); }

    std::span<const std::uint8_t> front() const {
        return std::span(blocks_.front()).subspan(frontStart_, lengths_.front());
    }

    void push(std::span<const std::uint8_t> row) {
        if (blocks_.empty() || blocks_.back().size() + row.size() > blocks_.back().capacity()) {
            blocks_.emplace_back();
            blocks_.back().reserve(std::max(kBlockSize, row.size()));
        }
        blocks_.back().insert(blocks_.back().end(), row.begin(), row.end());
        lengths_.push_back(row.size());
    }

    void pop() {
        frontStart_ += lengths_.front();
        lengths_.pop_front();
        if (frontStart_ == blocks_.front().size()) {
            blocks_.pop_front();
            frontStart_ = 0;
        }
    }

private:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

    std::deque<std::vector<std::uint8_t>> blocks_;
    std::size_t frontStart_ = 0;  // where the first row starts in the first block
    std::deque<std::size_t> lengths_;
};

class TableCompaction {
public:
    TableCompaction(PageChannel& channel, const TableDefinition& table)
        : channel_(channel),
          format_(channel.format()),
          table_(table),
          pages_(readUsageMap(channel, table.ownedPages, table.name)),
          freePages_(readUsageMap(channel, table.freeSpace, table.name)),
          isData_(pages_.size(), false),
          movedDataRead_(pages_.size(), 0),
          joiner_(table),
          image_(format_.pageSize) {}

    // Rewrites the rows; returns the data pages the table no longer uses.
    std::vector<std::uint32_t> run() {
        std::vector<std::uint32_t> unused;
        bool keptOne = false;
        for (std::size_t index = 0; index < pages_.size(); ++index) {
            readRowsOn(index);
            if (!isData_[index]) {
                continue;
            }
            // A table without rows keeps its first page, as a fresh table has one.
            if (moreRows() || !keptOne) {
                readMovedDataOn(index);
                fillPage(index);
                keptOne = true;
            } else {
                unused.push_back(pages_[index]);
            }
        }
        while (moreRows()) {
            fillPage(std::nullopt);
        }
        for (const std::uint32_t page : unused) {
            removeFromUsageMap(channel_, table_.ownedPages, page, table_.name);
            if (std::binary_search(freePages_.begin(), freePages_.end(), page)) {
                removeFromUsageMap(channel_, table_.freeSpace, page, table_.name);
            }
        }
        // New rows go to the last page, as after a fresh write.
        if (lastWritten_ &&
            !std::binary_search(freePages_.begin(), freePages_.end(), *lastWritten_)) {
            addToUsageMap(channel_, table_.freeSpace, *lastWritten_, table_.name);
        }
        return unused;
    }

private:
    DataPage dataPage(const PageBuffer& buffer, std::uint32_t number) const {
        return DataPage(channel_.view(buffer, number, table_.name), format_);
    }

    bool ownsData(const DataPage& page) const {
        return page.pageType() == page_type::kData && page.owner() == table_.definitionPage;
    }

    bool moreRows() const { return !waiting_.empty() || nextPage_ < pages_.size(); }

    // Reads rows until every row with its slot on the index-th page or before has been read.
    void readRowsOn(std::size_t index) {
        while (nextPage_ <= index && nextPage_ < pages_.size()) {
            readRowsOfNextPage();
        }
    }

    // Reads rows until every moved row data on the index-th page has been read.
    void readMovedDataOn(std::size_t index) {
        const PageBuffer buffer = channel_.page(pages_[index], table_.name);
        const DataPage page = dataPage(buffer, pages_[index]);
        std::size_t movedData = 0;
        for (std::uint16_t slot = 0; slot < page.rowCount(); ++slot) {
            movedData += page.rowFlags(slot) == row_flag::kMovedData ? 1 : 0;
        }
        while (movedDataRead_[index] < movedData && nextPage_ < pages_.size()) {
            readRowsOfNextPage();
        }
    }

    // Reads the rows whose slots are on the next page.
    void readRowsOfNextPage() {
        const std::uint32_t number = pages_[nextPage_];
        const PageBuffer buffer = channel_.page(number, table_.name);
        const DataPage page = dataPage(buffer, number);
        isData_[nextPage_] = ownsData(page);
        for (std::uint16_t slot = 0; isData_[nextPage_] && slot < page.rowCount(); ++slot) {
            const std::uint16_t flags = page.rowFlags(slot);
            if (flags != row_flag::kDeleted && flags != row_flag::kMovedData) {
                readRow(page, {number, static_cast<std::uint8_t>(slot)}, flags);
            }
        }
        ++nextPage_;
    }

    std::size_t indexOf(std::uint32_t number, const DataPage& page) const {
        const auto found = std::lower_bound(pages_.begin(), pages_.end(), number);
        if (found == pages_.end() || *found != number) {
            page.bytes().damaged("Weiterleitung auf eine fremde Seite");
        }
        return static_cast<std::size_t>(found - pages_.begin());
    }

    // Follows the slot's pointers to the row's data and keeps the row as a fresh write stores it.
    // Data on a page already rewritten would be lost: no pointer of an intact table leads there.
    void readRow(const DataPage& start, RowId at, std::uint16_t flags) {
        DataPage page = start;
        PageBuffer holder;
        for (int hop = 0; flags == row_flag::kOverflowPointer; ++hop) {
            if (hop == kMaxOverflowHops) {
                page.bytes().damaged("zu viele Weiterleitungen für Zeile " +
                                     std::to_string(at.row));
            }
            at = RowId::fromStored(page.row(at.row).u32(0));
            holder = channel_.page(at.page, table_.name);
            page = dataPage(holder, at.page);
            const std::size_t index = indexOf(at.page, page);
            if (!ownsData(page) || index < rewritten_) {
                page.bytes().damaged("Weiterleitung auf eine fremde Seite");
            }
            flags = page.rowFlags(at.row);
            if (flags == row_flag::kDeleted) {
                page.bytes().damaged("Weiterleitung auf eine gelöschte Zeile");
            }
            movedDataRead_[index] += flags == row_flag::kMovedData ? 1 : 0;
        }
        splitRow(page.row(at.row), table_, format_, fields_);
        joiner_.join(fields_, joined_);
        waiting_.push(joined_);
    }

    // Fills the index-th page of the table (a new one without an index) with the next rows.
    void fillPage(std::optional<std::size_t> index) {
        rewritten_ = index ? *index + 1 : pages_.size();
        initialiseDataPage(image_, format_, table_.definitionPage);
        bool empty = true;
        while (true) {
            if (waiting_.empty() && nextPage_ < pages_.size()) {
                readRowsOfNextPage();
                continue;
            }
            if (waiting_.empty() ||
                (!empty && roomForNewRow(image_, format_) < waiting_.frontLength())) {
                break;
            }
            addRow(image_, format_, waiting_.front());
            waiting_.pop();
            empty = false;
        }
        const std::uint32_t number = index ? pages_[*index] : allocatePage(channel_);
        {
            PageChannel::ChangeScope scope(channel_);
            std::vector<std::uint8_t>& page = channel_.overwrite(number, table_.name);
            std::copy(image_.begin(), image_.end(), page.begin());
        }
        if (!index) {
            channel_.flush(number);
            addToUsageMap(channel_, table_.ownedPages, number, table_.name);
        }
        lastWritten_ = number;
        channel_.flushIfFull();
    }

    PageChannel& channel_;
    const JetFormat& format_;
    const TableDefinition& table_;
    std::vector<std::uint32_t> pages_;        // the pages its owned-pages map lists, ascending
    std::vector<std::uint32_t> freePages_;    // those its free-space map lists
    std::vector<bool> isData_;                // per page, once read: a data page of the table
    std::vector<std::size_t> movedDataRead_;  // per page: moved row data read so far
    std::size_t nextPage_ = 0;                // the page whose rows are read next
    std::size_t rewritten_ = 0;               // pages before this index are rewritten
    WaitingRows waiting_;
    std::vector<StoredField> fields_;
    RowJoiner joiner_;
    std::vector<std::uint8_t> joined_;
    std::vector<std::uint8_t> image_;  // the page being filled
    std::optional<std::uint32_t> lastWritten_;
};

// Compacts every table without indexes; returns the pages they no longer use.
std::vector<std::uint32_t> compactTables(const JetDatabase& database) {
    std::vector<std::uint32_t> unused;
    for (const std::string& name : database.userTableNames()) {
        const auto table = database.table(name);
        if (table->indexes.empty()) {
            const auto given = TableCompaction(database.channel(), *table).run();
            unused.insert(unused.end(), given.begin(), given.end());
        }
    }
    std::sort(unused.begin(), unused.end());
    return unused;
}

}  // namespace

void compactDatabase(const std::string& path) {
    const auto database = JetDatabase::open(path);
    if (!database->onlyHandleOnFile()) {
        throw Error(err::kFileInUse, "Die Datenbank '" + path +
                                         "' ist noch geöffnet und kann nicht komprimiert "
                                         "werden.");
    }
    database->requireChangeable("das Komprimieren");
    PageChannel& channel = database->channel();
    const std::vector<std::uint32_t> unused = compactTables(*database);
    std::uint32_t end = channel.pageCount();
    while (end > 0 && std::binary_search(unused.begin(), unused.end(), end - 1)) {
        --end;
    }
    for (const std::uint32_t page : unused) {
        if (page < end) {
            releasePage(channel, page);
        }
    }
    releasePagesFrom(channel, end);
    channel.shorten(end);
}

}  // namespace glossel::jet
