// The open dialog: only an existing file can be chosen, of the types the filter offers.
#include "forms/QtOpenDialog.h"

#include <QFileDialog>

#include "forms/FileDialogFilters.h"
#include "forms/FileDialogLook.h"

namespace glossel::forms {

std::string chooseFileToOpen(QWidget* owner, const std::string& title, const std::string& filter) {
    QFileDialog dialog(owner, QString::fromStdString(title));
    setFileDialogLook(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNameFilters(systools::parseFileFilter(filter)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace glossel::forms
