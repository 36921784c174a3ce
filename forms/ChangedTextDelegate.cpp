// The cell is drawn as the style draws an item without text, then the text with the changed part
// as a formatted range, clipped to the cell.
#include "forms/ChangedTextDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QPoint>
#include <QTextLayout>

#include "forms/ChangeTableModel.h"

namespace glossel::forms {
namespace {

constexpr int kEmptyMarkWidth = 2;  // pixels: where something is only added on the other side

}  // namespace

ChangedTextDelegate::ChangedTextDelegate(QColor mark, QObject* parent)
    : QStyledItemDelegate(parent), mark_(mark) {}

void ChangedTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const QVariant changed = index.data(ChangeTableModel::kChangedPartRole);
    if (!changed.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect cell =
        style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(margin, 0,
                                                                                  -margin, 0);
    const QPoint span = changed.toPoint();
    const bool selected = item.state & QStyle::State_Selected;
    // A text layout, so that right-to-left scripts come out in their order with the mark on the
    // right letters.
    QTextLayout layout(text, item.font);
    QTextOption lineOption;
    lineOption.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(lineOption);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    QTextLayout::FormatRange part;
    part.start = span.x();
    part.length = span.y();
    part.format.setBackground(mark_);
    part.format.setForeground(item.palette.color(QPalette::Normal, QPalette::Text));
    const QPointF origin(cell.left(), cell.top() + (cell.height() - line.height()) / 2);

    painter->save();
    painter->setClipRect(cell);
    painter->setPen(item.palette.color(QPalette::Normal,
                                       selected ? QPalette::HighlightedText : QPalette::Text));
    layout.draw(painter, origin, {part});
    if (span.y() == 0) {
        const qreal x = origin.x() + line.cursorToX(span.x());
        painter->fillRect(QRectF(x, origin.y(), kEmptyMarkWidth, line.height()), mark_);
    }
    painter->restore();
}

}  // namespace glossel::forms
