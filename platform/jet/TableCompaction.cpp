// Table compaction. The rows are written page after page over the table's own pages, in
// ascending order; before a page is overwritten, every row that has its slot, a pointer or its
// data there has been read. Rows not yet written wait in memory, as few as the layout allows: for
// a table whose rows grew, the rows between the page being written and the last row with a slot
// on it.
#include "platform/jet/TableCompaction.h"

#include <algorithm>
#include <deque>
#include <optional>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/jet/DataPage.h"
#include "platform/jet/DataPageWriter.h"
#include "platform/jet/FileShortening.h"
#include "platform/jet/JetDatabase.h"
#include "platform/jet/PageAllocator.h"
#include "platform/jet/RowFields.h"
#include "platform/jet/UsageMap.h"
#include "platform/jet/UsageMapWriter.h"

namespace glossel::jet {
namespace {

constexpr int kMaxOverflowHops = 8;

class TableCompaction {
public:
    TableCompaction(PageChannel& channel, const TableDefinition& table)
        : channel_(channel), format_(channel.format()), table_(table) {}

    // Rewrites the rows; returns the pages the table no longer uses.
    std::vector<std::uint32_t> run() {
        findPages();
        findRows();
        std::size_t written = 0;
        while (nextToRead_ < rows_.size() || !waiting_.empty()) {
            writePage(written);
            ++written;
        }
        // A table without rows keeps its first page, as a fresh table has one.
        const std::size_t kept = std::min(pages_.size(), std::max<std::size_t>(written, 1));
        const std::vector<std::uint32_t> unused(pages_.begin() + static_cast<std::ptrdiff_t>(kept),
                                                pages_.end());
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

    void findPages() {
        for (const std::uint32_t number : readUsageMap(channel_, table_.ownedPages, table_.name)) {
            if (ownsData(dataPage(channel_.page(number, table_.name), number))) {
                pages_.push_back(number);
            }
        }
        freePages_ = readUsageMap(channel_, table_.freeSpace, table_.name);
        lastUse_.assign(pages_.size(), 0);
    }

    std::size_t indexOf(std::uint32_t number, const DataPage& page) const {
        const auto found = std::lower_bound(pages_.begin(), pages_.end(), number);
        if (found == pages_.end() || *found != number) {
            page.bytes().damaged("Weiterleitung auf eine fremde Seite");
        }
        return static_cast<std::size_t>(found - pages_.begin());
    }

    // The live rows in storage order, where their data is, and for each page the last row that
    // has its slot, a pointer or its data there.
    void findRows() {
        for (std::size_t index = 0; index < pages_.size(); ++index) {
            const PageBuffer buffer = channel_.page(pages_[index], table_.name);
            const DataPage page = dataPage(buffer, pages_[index]);
            for (std::uint16_t slot = 0; slot < page.rowCount(); ++slot) {
                const std::uint16_t flags = page.rowFlags(slot);
                if (flags == row_flag::kDeleted || flags == row_flag::kMovedData) {
                    continue;
                }
                lastUse_[index] = rows_.size() + 1;
                rows_.push_back(
                    followPointers(page, {pages_[index], static_cast<std::uint8_t>(slot)}, flags));
            }
        }
    }

    RowId followPointers(const DataPage& start, RowId at, std::uint16_t flags) {
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
            if (!ownsData(page)) {
                page.bytes().damaged("Weiterleitung auf eine fremde Seite");
            }
            lastUse_[indexOf(at.page, page)] = rows_.size() + 1;
            flags = page.rowFlags(at.row);
            if (flags == row_flag::kDeleted) {
                page.bytes().damaged("Weiterleitung auf eine gelöschte Zeile");
            }
        }
        return at;
    }

    // Reads rows until `count` rows have been read, each as a fresh write stores it.
    void readRows(std::size_t count) {
        for (; nextToRead_ < count && nextToRead_ < rows_.size(); ++nextToRead_) {
            const RowId at = rows_[nextToRead_];
            const PageBuffer buffer = channel_.page(at.page, table_.name);
            splitRow(dataPage(buffer, at.page).row(at.row), table_, format_, fields_);
            waiting_.push_back(joinRow(table_, fields_));
        }
    }

    // Fills the written-th page of the table (a new one past its pages) with the next rows.
    void writePage(std::size_t written) {
        if (written < pages_.size()) {
            readRows(lastUse_[written]);
        }
        std::vector<std::uint8_t> image(format_.pageSize);
        initialiseDataPage(image, format_, table_.definitionPage);
        bool empty = true;
        while (true) {
            if (waiting_.empty()) {
                readRows(nextToRead_ + 1);
            }
            if (waiting_.empty() ||
                (!empty && roomForNewRow(image, format_) < waiting_.front().size())) {
                break;
            }
            addRow(image, format_, waiting_.front());
            waiting_.pop_front();
            empty = false;
        }
        std::uint32_t number = 0;
        if (written < pages_.size()) {
            number = pages_[written];
        } else {
            number = allocatePage(channel_);
        }
        PageChannel::ChangeScope scope(channel_);
        std::vector<std::uint8_t>& page = channel_.change(number, table_.name);
        std::copy(image.begin(), image.end(), page.begin());
        if (written >= pages_.size()) {
            channel_.flush(number);
            addToUsageMap(channel_, table_.ownedPages, number, table_.name);
        }
        lastWritten_ = number;
        channel_.flushIfFull();
    }

    PageChannel& channel_;
    const JetFormat& format_;
    const TableDefinition& table_;
    std::vector<std::uint32_t> pages_;      // the table's data pages, ascending
    std::vector<std::uint32_t> freePages_;  // those its free-space map lists
    std::vector<std::size_t> lastUse_;      // per page: rows to read before it is overwritten
    std::vector<RowId> rows_;               // where each live row's data is
    std::size_t nextToRead_ = 0;
    std::deque<std::vector<std::uint8_t>> waiting_;
    std::vector<StoredField> fields_;
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
    std::uint64_t length = 0;
    {
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
        channel.flushAll();
        length = std::uint64_t{end} * channel.format().pageSize;
    }
    shortenFile(nativePath(path), length, path);
}

}  // namespace glossel::jet
