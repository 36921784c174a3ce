// The language transfer's messages shown as message boxes over a window.
#pragma once

#include "transfer/MessageBoxes.h"

class QWidget;

namespace glossel::forms {

class WindowMessageBoxes : public transfer::MessageBoxes {
public:
    explicit WindowMessageBoxes(QWidget* owner) : owner_(owner) {}

    void ShowPlain(const std::string& text) override;
    void ShowInformation(const std::string& text) override;

private:
    QWidget* owner_;
};

}  // namespace glossel::forms
