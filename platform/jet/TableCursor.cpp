// Row iteration over the owned pages of a table.
#include "platform/jet/TableCursor.h"

#include "platform/jet/DataPage.h"
#include "platform/jet/RowDecoder.h"
#include "platform/jet/UsageMap.h"

namespace glossel::jet {
namespace {

// Access moves a grown row once; a few hops more are tolerated, a loop is damage.
constexpr int kMaxOverflowHops = 8;

}  // namespace

TableCursor::TableCursor(std::shared_ptr<const PageChannel> channel,
                         std::shared_ptr<const TableDefinition> table, std::uint16_t codePage)
    : channel_(std::move(channel)),
      table_(std::move(table)),
      codePage_(codePage),
      pages_(readUsageMap(*channel_, table_->ownedPages, table_->name)) {}

bool TableCursor::resolveRow(std::uint32_t pageNumber, std::uint16_t row, PageBuffer& holder,
                             ByteView& out, RowId& data) const {
    if (!holder) {
        holder = channel_->page(pageNumber, table_->name);
    }
    DataPage page(channel_->view(holder, pageNumber, table_->name), channel_->format());
    std::uint16_t flags = page.rowFlags(row);
    if (flags == row_flag::kDeleted || flags == row_flag::kMovedData) {
        return false;
    }
    for (int hop = 0; flags == row_flag::kOverflowPointer; ++hop) {
        if (hop == kMaxOverflowHops) {
            page.bytes().damaged("zu viele Weiterleitungen für Zeile " + std::to_string(row));
        }
        const RowId target = RowId::fromStored(page.row(row).u32(0));
        holder = channel_->page(target.page, table_->name);
        page = DataPage(channel_->view(holder, target.page, table_->name), channel_->format());
        if (page.pageType() != page_type::kData || page.owner() != table_->definitionPage) {
            page.bytes().damaged("Weiterleitung auf eine fremde Seite");
        }
        row = target.row;
        flags = page.rowFlags(row);
        if (flags == row_flag::kDeleted) {
            page.bytes().damaged("Weiterleitung auf eine gelöschte Zeile");
        }
    }
    out = page.row(row);
    data = {out.where().page.value_or(pageNumber), static_cast<std::uint8_t>(row)};
    return true;
}

void TableCursor::split(const ByteView& row) {
    splitRow(row, *table_, channel_->format(), spareFields_);
    fields_.swap(spareFields_);
    values_.assign(fields_.size(), std::nullopt);
}

void TableCursor::readAgainIfChanged() {
    if (stale_) {
        stale_ = false;
        PageBuffer holder;
        ByteView bytes({}, {});
        if (resolveRow(position_.page, position_.row, holder, bytes, dataPosition_)) {
            split(bytes);
        }
    }
}

const StoredField* TableCursor::storedText(std::size_t column) {
    readAgainIfChanged();
    if (!channel_->format().textIsUnicode() ||
        table_->columns.at(column).type != column_type::kText) {
        return nullptr;
    }
    return &fields_.at(column);
}

const Variant& TableCursor::value(std::size_t column) {
    readAgainIfChanged();
    auto& value = values_.at(column);
    if (!value) {
        value = decodeField(fields_[column], table_->columns[column], *table_, *channel_, codePage_,
                            {channel_->path(), dataPosition_.page, table_->name});
    }
    return *value;
}

bool TableCursor::next() {
    stale_ = false;
    while (pageIndex_ < pages_.size()) {
        const std::uint32_t pageNumber = pages_[pageIndex_];
        PageBuffer buffer = channel_->page(pageNumber, table_->name);
        const DataPage page(channel_->view(buffer, pageNumber, table_->name), channel_->format());
        const bool ownPage =
            page.pageType() == page_type::kData && page.owner() == table_->definitionPage;
        if (!ownPage || nextRow_ >= page.rowCount()) {
            ++pageIndex_;
            nextRow_ = 0;
            continue;
        }
        const auto row = static_cast<std::uint16_t>(nextRow_++);
        ByteView bytes({}, {});
        if (resolveRow(pageNumber, row, buffer, bytes, dataPosition_)) {
            split(bytes);
            position_ = {pageNumber, static_cast<std::uint8_t>(row)};
            return true;
        }
    }
    fields_.clear();
    values_.clear();
    return false;
}

}  // namespace glossel::jet
