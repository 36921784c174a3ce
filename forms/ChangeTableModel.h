// The review's table of changes: a model over the headless list of changes, which draws only
// the rows in view and sorts and narrows the list itself (a proxy model would ask every row's
// texts from Qt).
#pragma once

#include <QAbstractTableModel>

#include "transfer/ChangeList.h"

namespace glossel::forms {

class ChangeTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { IdColumn, LanguageColumn, ProjectTextColumn, FileTextColumn };
    // The changed part of a text cell (TextSpan as QPoint: start, length), in its shown text.
    static constexpr int kChangedPartRole = Qt::UserRole + 1;

    // `list` must outlive the model.
    explicit ChangeTableModel(transfer::ChangeList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    void narrowTo(std::int32_t lcid, const QString& search);

private:
    transfer::ChangeList& list_;
};

// A text as one table line shows it: each line break as "↵".
QString shownOnOneLine(const std::optional<std::string>& text);

}  // namespace glossel::forms
