// Headless sorted list box.
#include "transfer/SortedListBox.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/nls/ListCollation.h"

namespace glossel::transfer {

void SortedListBox::Clear() {
    entries_.clear();
    newIndex_ = -1;
}

void SortedListBox::AddItem(const std::string& text) {
    const auto place = std::upper_bound(
        entries_.begin(), entries_.end(), text,
        [](const std::string& t, const Entry& e) { return nls::compareListTexts(t, e.text) < 0; });
    newIndex_ = static_cast<int>(place - entries_.begin());
    entries_.insert(place, Entry{text});
}

std::size_t SortedListBox::checkedIndex(int index) const {
    if (index < 0 || index >= ListCount()) {
        throw listIndexError(index, ListCount());
    }
    return static_cast<std::size_t>(index);
}

std::int32_t SortedListBox::ItemData(int index) const {
    return entries_[checkedIndex(index)].data;
}

void SortedListBox::SetItemData(int index, std::int32_t data) {
    entries_[checkedIndex(index)].data = data;
}

bool SortedListBox::Selected(int index) const {
    return entries_[checkedIndex(index)].selected;
}

void SortedListBox::SetSelected(int index, bool selected) {
    entries_[checkedIndex(index)].selected = selected;
}

std::string SortedListBox::List(int index) const {
    return entries_[checkedIndex(index)].text;
}

}  // namespace glossel::transfer
