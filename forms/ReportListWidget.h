// The chooser's report-view list: a QTreeWidget without tree decoration, offered to the project
// catalogue as its ListView. It reports mouse presses (with the point) and double-clicks as the
// common control's MouseDown and DblClick events. While no row is selected, no row is current
// either (none shows the focus frame), so that the first Down or Up key selects the first row.
#pragma once

#include <QTreeWidget>

#include <memory>
#include <vector>

#include "projects/ListView.h"

namespace glossel::forms {

class ReportListWidget : public QTreeWidget, public projects::ListView {
    Q_OBJECT

public:
    // One column per header text.
    ReportListWidget(const QStringList& headers, QWidget* parent = nullptr);
    ~ReportListWidget() override;

    projects::ListViewItems& ListItems() override;
    projects::ListViewItem* SelectedItem() override;
    // Content: as wide as the widest entry (an empty list keeps room for the header). Content
    // and header: wide enough for both; the last column also takes the rest of the list's width.
    void FitColumnWidth(int column, projects::ColumnFit fit) override;

    // Takes the selection back: no row is selected or current.
    void clearChoice();

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void DblClick();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    class Row;
    class Rows;

    int visibleWidth() const;

    std::unique_ptr<Rows> rows_;
};

}  // namespace glossel::forms
