// A sorted list box without a window, for the command line and for tests. Entries keep the order
// compareListTexts gives, as the window's sorted list does.
#pragma once

#include <vector>

#include "transfer/ListBox.h"

namespace glossel::transfer {

class SortedListBox : public ListBox {
public:
    void Clear() override;
    void AddItem(const std::string& text) override;
    int NewIndex() const override { return newIndex_; }
    std::int32_t ItemData(int index) const override;
    void SetItemData(int index, std::int32_t data) override;
    int ListCount() const override { return static_cast<int>(entries_.size()); }
    bool Selected(int index) const override;
    std::string List(int index) const override;

    void SetSelected(int index, bool selected);

private:
    struct Entry {
        std::string text;
        std::int32_t data = 0;
        bool selected = false;
    };
    std::size_t checkedIndex(int index) const;

    std::vector<Entry> entries_;
    int newIndex_ = -1;
};

}  // namespace glossel::transfer
