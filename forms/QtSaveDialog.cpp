// The save dialog. A name typed without extension gets the one of the chosen file type, and an
// existing file is only chosen after the user has confirmed that it may be replaced.
#include "forms/QtSaveDialog.h"

#include <QFileDialog>

#include "forms/FileDialogFilters.h"
#include "forms/FileDialogLook.h"

namespace glossel::forms {

std::string QtSaveDialog::show(const systools::SaveDialogRequest& request) {
    QWidget* owner = request.owner == 0 ? nullptr : QWidget::find(static_cast<WId>(request.owner));
    QFileDialog dialog(owner, QString::fromStdString(request.title));
    setFileDialogLook(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList nameFilters = qtNameFilters(request.filters);
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty()) {
        dialog.setDefaultSuffix(defaultSuffix(nameFilters.front()));
    }
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(defaultSuffix(filter)); });
    if (!request.initialName.empty()) {
        dialog.selectFile(QString::fromStdString(request.initialName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace glossel::forms
