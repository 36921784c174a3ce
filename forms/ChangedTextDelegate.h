// Draws a text cell of the review's table with its changed part on a coloured ground: what the
// project loses in one column, what the file brings in the other.
#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace glossel::forms {

class ChangedTextDelegate : public QStyledItemDelegate {
public:
    ChangedTextDelegate(QColor mark, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QColor mark_;
};

}  // namespace glossel::forms
