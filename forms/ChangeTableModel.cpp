// The table's cells: the ID, the language's name and both texts on one line each, the whole
// text as tooltip, an empty text written "(leer)" in grey.
#include "forms/ChangeTableModel.h"

#include <QBrush>
#include <QFont>
#include <QPalette>
#include <QPoint>

#include "forms/ChangedPart.h"

namespace glossel::forms {
namespace {

constexpr char kEmpty[] = "(leer)";
constexpr QChar kLineBreakMark(0x21B5);

const char* const kHeaders[] = {"ID", "Sprache", "Text im Projekt", "Text in der Datei"};

bool isText(int column) {
    return column == ChangeTableModel::ProjectTextColumn ||
           column == ChangeTableModel::FileTextColumn;
}

}  // namespace

QString shownOnOneLine(const std::optional<std::string>& text) {
    QString shown = QString::fromStdString(text.value_or(std::string()));
    shown.replace(QStringLiteral("\r\n"), kLineBreakMark);
    shown.replace(QChar('\n'), kLineBreakMark);
    shown.replace(QChar('\r'), kLineBreakMark);
    return shown;
}

ChangeTableModel::ChangeTableModel(transfer::ChangeList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int ChangeTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.size());
}

int ChangeTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(transfer::ChangeList::kColumns);
}

QVariant ChangeTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const transfer::TextChange& change = list_.at(static_cast<std::size_t>(index.row()));
    const int column = index.column();
    const std::optional<std::string>& text =
        column == ProjectTextColumn ? change.oldText : change.newText;
    const bool empty = isText(column) && text.value_or(std::string()).empty();
    switch (role) {
        case Qt::DisplayRole:
            if (column == IdColumn) {
                return QVariant::fromValue(static_cast<qlonglong>(change.id));
            }
            if (column == LanguageColumn) {
                return QString::fromStdString(list_.languageName(change.lcid));
            }
            return empty ? QString::fromUtf8(kEmpty) : shownOnOneLine(text);
        case Qt::ToolTipRole:
            return isText(column) && !empty ? QString::fromStdString(*text) : QVariant();
        case Qt::TextAlignmentRole:
            return column == IdColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        case Qt::ForegroundRole:
            return empty ? QVariant(QPalette().brush(QPalette::Disabled, QPalette::Text))
                         : QVariant();
        case Qt::FontRole:
            if (empty) {
                QFont font;
                font.setItalic(true);
                return font;
            }
            return {};
        case kChangedPartRole: {
            if (!isText(column) || empty) {
                return {};
            }
            const std::optional<std::string>& other =
                column == ProjectTextColumn ? change.newText : change.oldText;
            const TextSpan span = changedPart(shownOnOneLine(text), shownOnOneLine(other));
            return QPoint(static_cast<int>(span.start), static_cast<int>(span.length));
        }
        default:
            return {};
    }
}

QVariant ChangeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return QString::fromUtf8(kHeaders[section]);
}

void ChangeTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    beginResetModel();
    list_.sortBy(static_cast<transfer::ChangeList::Column>(column), order == Qt::DescendingOrder);
    endResetModel();
}

void ChangeTableModel::narrowTo(std::int32_t lcid, const QString& search) {
    beginResetModel();
    list_.narrowTo(lcid, search.toStdString());
    endResetModel();
}

}  // namespace glossel::forms
