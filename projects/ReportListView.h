// A report-view list without a window, for the command line and for tests. Like the common
// control, it selects the first row added to an empty list by itself, and allows one selected
// row. Column widths are counted in characters.
#pragma once

#include <memory>
#include <vector>

#include "projects/ListView.h"

namespace glossel::projects {

class ReportListView : public ListView {
public:
    // One column per header text; at least one.
    explicit ReportListView(std::vector<std::string> headers);
    ~ReportListView() override;

    ListViewItems& ListItems() override;
    ListViewItem* SelectedItem() override;
    // A list without a window has no width to share out: the last column gets no rest.
    void FitColumnWidth(int column, ColumnFit fit) override;

    int ColumnCount() const { return static_cast<int>(headers_.size()); }
    // The header's length until the column is fitted.
    int ColumnWidth(int column) const;

private:
    class Row;
    class Rows;

    std::size_t checkedColumn(int column) const;

    std::vector<std::string> headers_;
    std::vector<int> widths_;
    std::unique_ptr<Rows> rows_;
};

}  // namespace glossel::projects
