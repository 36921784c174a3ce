// Headless report-view list.
#include "projects/ReportListView.h"

#include <unicode/utf8.h>

#include <algorithm>

#include "platform/Error.h"

namespace glossel::projects {
namespace {

int characters(const std::string& text) {
    int count = 0;
    for (unsigned char c : text) {
        count += U8_IS_LEAD(c) || U8_IS_SINGLE(c) ? 1 : 0;
    }
    return count;
}

}  // namespace

class ReportListView::Row : public ListViewItem {
public:
    Row(Rows& rows, std::string key, std::string text, std::size_t columns)
        : rows_(rows), key_(std::move(key)), texts_(columns) {
        texts_[0] = std::move(text);
    }

    std::string Text() const override { return texts_[0]; }
    std::string Key() const override { return key_; }
    std::string SubItems(int index) const override { return texts_[checkedSubItem(index)]; }
    void SetSubItems(int index, const std::string& text) override {
        texts_[checkedSubItem(index)] = text;
    }
    bool Selected() const override { return selected_; }
    void SetSelected(bool selected) override;

    // The text of column `column`, 0 being the row's own text.
    const std::string& ColumnText(std::size_t column) const { return texts_[column]; }
    void SetSelectedOnly(bool selected) { selected_ = selected; }

private:
    std::size_t checkedSubItem(int index) const {
        if (index < 1 || static_cast<std::size_t>(index) >= texts_.size()) {
            throw indexOutOfBoundsError("Spalte", index);
        }
        return static_cast<std::size_t>(index);
    }

    Rows& rows_;
    std::string key_;
    std::vector<std::string> texts_;
    bool selected_ = false;
};

class ReportListView::Rows : public ListViewItems {
public:
    explicit Rows(std::size_t columns) : columns_(columns) {}

    ListViewItem& Add(const std::string& key, const std::string& text) override {
        const bool taken = std::any_of(rows_.begin(), rows_.end(),
                                       [&](const auto& row) { return row->Key() == key; });
        if (taken) {
            throw keyNotUniqueError(key);
        }
        rows_.push_back(std::make_unique<Row>(*this, key, text, columns_));
        if (rows_.size() == 1) {
            rows_.front()->SetSelectedOnly(true);
        }
        return *rows_.back();
    }

    int Count() const override { return static_cast<int>(rows_.size()); }

    ListViewItem& Item(int index) override {
        if (index < 1 || index > Count()) {
            throw indexOutOfBoundsError("Zeile", index);
        }
        return *rows_[static_cast<std::size_t>(index - 1)];
    }

    Row* Selected() const {
        const auto row =
            std::find_if(rows_.begin(), rows_.end(), [](const auto& r) { return r->Selected(); });
        return row == rows_.end() ? nullptr : row->get();
    }

    void SelectOnly(const Row* chosen) {
        for (const auto& row : rows_) {
            row->SetSelectedOnly(row.get() == chosen);
        }
    }

    const std::vector<std::unique_ptr<Row>>& All() const { return rows_; }

private:
    std::size_t columns_;
    std::vector<std::unique_ptr<Row>> rows_;
};

void ReportListView::Row::SetSelected(bool selected) {
    if (selected) {
        rows_.SelectOnly(this);
    } else {
        selected_ = false;
    }
}

ReportListView::ReportListView(std::vector<std::string> headers)
    : headers_(std::move(headers)), rows_(std::make_unique<Rows>(headers_.size())) {
    if (headers_.empty()) {
        throw Error(err::kInvalidArgument, "Eine Liste braucht mindestens eine Spalte.");
    }
    for (const std::string& header : headers_) {
        widths_.push_back(characters(header));
    }
}

ReportListView::~ReportListView() = default;

ListViewItems& ReportListView::ListItems() {
    return *rows_;
}

ListViewItem* ReportListView::SelectedItem() {
    return rows_->Selected();
}

std::size_t ReportListView::checkedColumn(int column) const {
    if (column < 0 || column >= ColumnCount()) {
        throw indexOutOfBoundsError("Spalte", column);
    }
    return static_cast<std::size_t>(column);
}

void ReportListView::FitColumnWidth(int column, ColumnFit fit) {
    const std::size_t at = checkedColumn(column);
    int width = fit == ColumnFit::ContentAndHeader ? characters(headers_[at]) : 0;
    for (const auto& row : rows_->All()) {
        width = std::max(width, characters(row->ColumnText(at)));
    }
    widths_[at] = width;
}

int ReportListView::ColumnWidth(int column) const {
    return widths_[checkedColumn(column)];
}

}  // namespace glossel::projects
