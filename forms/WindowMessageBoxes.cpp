// The language transfer's messages as message boxes.
#include "forms/WindowMessageBoxes.h"

#include "forms/MessageBox.h"

namespace glossel::forms {

void WindowMessageBoxes::ShowPlain(const std::string& text) {
    MessageBox::show(owner_, QString::fromStdString(text), MessageIcon::None);
}

void WindowMessageBoxes::ShowInformation(const std::string& text) {
    MessageBox::show(owner_, QString::fromStdString(text), MessageIcon::Information);
}

}  // namespace glossel::forms
