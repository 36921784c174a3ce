// The members of a report-view list that the project catalogue uses: its rows (ListItems), the
// selected row and the fitting of column widths. The chooser's list view and the headless
// ReportListView both provide them.
#pragma once

#include <string>

#include "platform/Error.h"

namespace glossel::projects {

// Errors of the list view, numbered as the Windows common controls number them.
inline constexpr int kIndexOutOfBounds = 35600;
inline constexpr int kKeyNotUnique = 35602;

// `what` ("Zeile", "Spalte") with `index` is not in the list.
inline Error indexOutOfBoundsError(const std::string& what, int index) {
    return Error(kIndexOutOfBounds, "Index ausserhalb des gültigen Bereichs: " + what + " " +
                                        std::to_string(index) + ".");
}

inline Error keyNotUniqueError(const std::string& key) {
    return Error(kKeyNotUnique,
                 "Der Schlüssel '" + key + "' ist in der Auflistung nicht eindeutig.");
}

// How a column's width is fitted.
enum class ColumnFit {
    Content,           // as wide as its widest entry
    ContentAndHeader,  // wide enough for header and entries; the last column takes the rest
};

class ListViewItem {
public:
    virtual ~ListViewItem() = default;

    virtual std::string Text() const = 0;
    virtual std::string Key() const = 0;
    // The text of column `index` + 1 (1 is the second column). Throws kIndexOutOfBounds for a
    // column the list does not have.
    virtual std::string SubItems(int index) const = 0;
    virtual void SetSubItems(int index, const std::string& text) = 0;
    virtual bool Selected() const = 0;
    virtual void SetSelected(bool selected) = 0;
};

class ListViewItems {
public:
    virtual ~ListViewItems() = default;

    // Appends a row. Throws glossel::Error kKeyNotUnique when a row already has `key`.
    virtual ListViewItem& Add(const std::string& key, const std::string& text) = 0;
    virtual int Count() const = 0;
    // The row at `index`, 1 to Count(). Throws kIndexOutOfBounds otherwise.
    virtual ListViewItem& Item(int index) = 0;
};

class ListView {
public:
    virtual ~ListView() = default;

    virtual ListViewItems& ListItems() = 0;
    // The selected row, or nullptr.
    virtual ListViewItem* SelectedItem() = 0;
    // Fits the width of column `column` (0 is the first).
    virtual void FitColumnWidth(int column, ColumnFit fit) = 0;
};

}  // namespace glossel::projects
