// How the program's open and save dialogs look: Qt's own dialog (the same on every desktop),
// with the details view and a size at which name, size, type and date are readable unclipped.
#pragma once

class QFileDialog;

namespace glossel::forms {

void setFileDialogLook(QFileDialog& dialog);

}  // namespace glossel::forms
