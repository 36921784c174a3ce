// The report-view list over QTreeWidget. Row objects wrap the widget's items; keys are kept
// beside them, since the list refuses a second row with the same key.
#include "forms/ReportListWidget.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

namespace glossel::forms {
class ReportListWidget::Row : public projects::ListViewItem {
public:
    Row(QTreeWidgetItem* item, std::string key) : item_(item), key_(std::move(key)) {}

    std::string Text() const override { return item_->text(0).toStdString(); }
    std::string Key() const override { return key_; }
    std::string SubItems(int index) const override {
        return item_->text(checkedSubItem(index)).toStdString();
    }
    void SetSubItems(int index, const std::string& text) override {
        item_->setText(checkedSubItem(index), QString::fromStdString(text));
    }
    bool Selected() const override { return item_->isSelected(); }
    void SetSelected(bool selected) override {
        if (selected) {
            item_->treeWidget()->setCurrentItem(item_);
        }
        item_->setSelected(selected);
    }

    const QTreeWidgetItem* item() const { return item_; }

private:
    int checkedSubItem(int index) const {
        if (index < 1 || index >= item_->treeWidget()->columnCount()) {
            throw projects::indexOutOfBoundsError("Spalte", index);
        }
        return index;
    }

    QTreeWidgetItem* item_;
    std::string key_;
};

class ReportListWidget::Rows : public projects::ListViewItems {
public:
    explicit Rows(QTreeWidget& tree) : tree_(tree) {}

    projects::ListViewItem& Add(const std::string& key, const std::string& text) override {
        const bool taken = std::any_of(rows_.begin(), rows_.end(),
                                       [&](const auto& row) { return row->Key() == key; });
        if (taken) {
            throw projects::keyNotUniqueError(key);
        }
        auto* item = new QTreeWidgetItem(&tree_, QStringList{QString::fromStdString(text)});
        rows_.push_back(std::make_unique<Row>(item, key));
        return *rows_.back();
    }

    int Count() const override { return static_cast<int>(rows_.size()); }

    projects::ListViewItem& Item(int index) override {
        if (index < 1 || index > Count()) {
            throw projects::indexOutOfBoundsError("Zeile", index);
        }
        return *rows_[static_cast<std::size_t>(index - 1)];
    }

    Row* Of(const QTreeWidgetItem* item) const {
        const auto row = std::find_if(rows_.begin(), rows_.end(),
                                      [&](const auto& r) { return r->item() == item; });
        return row == rows_.end() ? nullptr : row->get();
    }

private:
    QTreeWidget& tree_;
    std::vector<std::unique_ptr<Row>> rows_;
};

ReportListWidget::ReportListWidget(const QStringList& headers, QWidget* parent)
    : QTreeWidget(parent), rows_(std::make_unique<Rows>(*this)) {
    setColumnCount(static_cast<int>(headers.size()));
    setHeaderLabels(headers);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

ReportListWidget::~ReportListWidget() = default;

// The width the rows have, also before the list is first shown (its viewport is laid out only
// then): the inside of the frame, less the scroll bar when the rows need more height.
int ReportListWidget::visibleWidth() const {
    const QSize inside = maximumViewportSize();
    const int rowsHeight = rows_->Count() * std::max(sizeHintForRow(0), 0);
    const int room = inside.height() - header()->sizeHint().height();
    const int scrollBar = rowsHeight > room ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    return inside.width() - scrollBar;
}

projects::ListViewItems& ReportListWidget::ListItems() {
    return *rows_;
}

projects::ListViewItem* ReportListWidget::SelectedItem() {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : rows_->Of(selected.front());
}

void ReportListWidget::FitColumnWidth(int column, projects::ColumnFit fit) {
    if (column < 0 || column >= columnCount()) {
        throw projects::indexOutOfBoundsError("Spalte", column);
    }
    const int headerWidth = header()->sectionSizeHint(column);
    const int contentWidth = rows_->Count() == 0 ? headerWidth : sizeHintForColumn(column);
    int width = contentWidth;
    if (fit == projects::ColumnFit::ContentAndHeader) {
        width = std::max(contentWidth, headerWidth);
        if (column == columnCount() - 1) {
            int others = 0;
            for (int i = 0; i < column; ++i) {
                others += columnWidth(i);
            }
            width = std::max(width, visibleWidth() - others);
        }
    }
    setColumnWidth(column, width);
}

void ReportListWidget::clearChoice() {
    clearSelection();
    selectionModel()->clearCurrentIndex();
}

// Qt makes the first row current (without selecting it) when a list without a current row
// takes the focus; the first Down key would then select the second row.
void ReportListWidget::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    if (selectedItems().isEmpty()) {
        selectionModel()->clearCurrentIndex();
    }
}

void ReportListWidget::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button(), event->modifiers(), event->position().toPoint());
    QTreeWidget::mousePressEvent(event);
}

void ReportListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    emit DblClick();
}

}  // namespace glossel::forms
