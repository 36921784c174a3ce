// The sorted check-box list. Entries are placed by the list order of the user-interface language
// (as the headless SortedListBox places them); each remembers the tick last reported, so that
// only real tick changes are reported, not changes of text or item data.
#include "forms/LanguageListWidget.h"

#include "platform/nls/ListCollation.h"

namespace glossel::forms {
namespace {

constexpr int kItemDataRole = Qt::UserRole;
constexpr int kReportedTickRole = Qt::UserRole + 1;

bool ticked(const QListWidgetItem* item) {
    return item->checkState() == Qt::Checked;
}

}  // namespace

LanguageListWidget::LanguageListWidget(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemChanged, this, &LanguageListWidget::reportTickChange);
}

void LanguageListWidget::Clear() {
    clear();
    newIndex_ = -1;
}

void LanguageListWidget::AddItem(const std::string& text) {
    int place = count();
    for (int row = 0; row < count(); ++row) {
        if (nls::compareListTexts(text, item(row)->text().toStdString()) < 0) {
            place = row;
            break;
        }
    }
    auto* entry = new QListWidgetItem(QString::fromStdString(text));
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
    entry->setData(kReportedTickRole, false);
    entry->setData(kItemDataRole, 0);
    insertItem(place, entry);
    newIndex_ = place;
}

QListWidgetItem* LanguageListWidget::checkedItem(int index) const {
    if (index < 0 || index >= count()) {
        throw transfer::listIndexError(index, count());
    }
    return item(index);
}

std::int32_t LanguageListWidget::ItemData(int index) const {
    return checkedItem(index)->data(kItemDataRole).toInt();
}

void LanguageListWidget::SetItemData(int index, std::int32_t data) {
    checkedItem(index)->setData(kItemDataRole, data);
}

bool LanguageListWidget::Selected(int index) const {
    return ticked(checkedItem(index));
}

void LanguageListWidget::SetSelected(int index, bool selected) {
    checkedItem(index)->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
}

std::string LanguageListWidget::List(int index) const {
    return checkedItem(index)->text().toStdString();
}

void LanguageListWidget::reportTickChange(QListWidgetItem* item) {
    if (item->data(kReportedTickRole).toBool() == ticked(item)) {
        return;
    }
    item->setData(kReportedTickRole, ticked(item));
    emit ItemCheck(row(item));
}

}  // namespace glossel::forms
