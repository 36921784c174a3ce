// The save dialog. Windows filters become Qt name filters ("*.*" means every file there, "*"
// here); a name typed without extension gets the one of the chosen file type, and an existing
// file is only chosen after the user has confirmed that it may be replaced.
#include "forms/QtSaveDialog.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace glossel::forms {
namespace {

constexpr char kEveryFileWindows[] = "*.*";
constexpr char kEveryFile[] = "*";

QString qtPatterns(const std::string& windowsPatterns) {
    QStringList patterns = QString::fromStdString(windowsPatterns).split(';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
        pattern = pattern.trimmed();
        if (pattern == kEveryFileWindows) {
            pattern = kEveryFile;
        }
    }
    return patterns.join(' ');
}

// "Excel-Dateien (*.xls)" with "*.xls": the description with its patterns in brackets, as Qt
// reads them; a description that shows the patterns already has them replaced.
QString qtNameFilter(const systools::FileFilter& filter) {
    QString description = QString::fromStdString(filter.description).trimmed();
    const QString shownPatterns = "(" + QString::fromStdString(filter.patterns) + ")";
    if (description.endsWith(shownPatterns)) {
        description.chop(shownPatterns.size());
        description = description.trimmed();
    }
    return description + " (" + qtPatterns(filter.patterns) + ")";
}

// "xls" for "*.xls"; "" where the file type has no single extension.
QString defaultSuffix(const QString& nameFilter) {
    static const QRegularExpression singleExtension(R"(\(\*\.([^*?\s]+)\)$)");
    const QRegularExpressionMatch match = singleExtension.match(nameFilter);
    return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

std::string QtSaveDialog::show(const systools::SaveDialogRequest& request) {
    QWidget* owner = request.owner == 0 ? nullptr : QWidget::find(static_cast<WId>(request.owner));
    QFileDialog dialog(owner, QString::fromStdString(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList nameFilters;
    for (const systools::FileFilter& filter : request.filters) {
        nameFilters.append(qtNameFilter(filter));
    }
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
