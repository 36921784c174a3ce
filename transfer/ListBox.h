// The members of a list box that the language transfer uses. The window's check-box list and
// the headless SortedListBox both provide them; an entry's tick is its selected state.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Error.h"

namespace glossel::transfer {

// The error of a list box addressed by an index it does not have.
inline Error listIndexError(int index, int count) {
    return Error(err::kInvalidArgument, "Listeneintrag " + std::to_string(index) +
                                            " gibt es nicht (" + std::to_string(count) +
                                            " Einträge).");
}

class ListBox {
public:
    virtual ~ListBox() = default;

    virtual void Clear() = 0;
    // Adds an entry; a sorted list puts it in its place by text.
    virtual void AddItem(const std::string& text) = 0;
    // The index of the entry added last.
    virtual int NewIndex() const = 0;
    virtual std::int32_t ItemData(int index) const = 0;
    virtual void SetItemData(int index, std::int32_t data) = 0;
    virtual int ListCount() const = 0;
    virtual bool Selected(int index) const = 0;
    virtual std::string List(int index) const = 0;
};

}  // namespace glossel::transfer
