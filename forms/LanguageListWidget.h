// The language list of the main window: a sorted check-box list whose tick is an entry's
// selected state, offered to the language transfer as its ListBox. Changes of a tick, by the
// user or the program, are reported with the entry's index once the change has taken effect.
#pragma once

#include <QListWidget>

#include "transfer/ListBox.h"

namespace glossel::forms {

class LanguageListWidget : public QListWidget, public transfer::ListBox {
    Q_OBJECT

public:
    explicit LanguageListWidget(QWidget* parent = nullptr);

    void Clear() override;
    void AddItem(const std::string& text) override;
    int NewIndex() const override { return newIndex_; }
    std::int32_t ItemData(int index) const override;
    void SetItemData(int index, std::int32_t data) override;
    int ListCount() const override { return count(); }
    bool Selected(int index) const override;
    std::string List(int index) const override;

    void SetSelected(int index, bool selected);

signals:
    void ItemCheck(int index);

private:
    QListWidgetItem* checkedItem(int index) const;
    void reportTickChange(QListWidgetItem* item);

    int newIndex_ = -1;
};

}  // namespace glossel::forms
