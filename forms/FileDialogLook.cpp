// Qt opens its file dialog at about 500 × 300 pixels, where the details view cuts the columns
// down to a few letters each. The columns get the room their texts need (a long exchange file
// name, "999,9 KiB", a type, a date and time), side by side beside the places list.
#include "forms/FileDialogLook.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>
#include <iterator>

namespace glossel::forms {
namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 580;
// Name, size, type and date of modification.
constexpr int kColumnWidths[] = {320, 120, 120, 150};
constexpr int kLeastColumnWidth = 120;
constexpr int kPlacesWidth = 170;  // the list of places left of the files

}  // namespace

void setFileDialogLook(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(kWidth, kHeight);
    if (auto* places = dialog.findChild<QWidget*>("sidebar")) {
        places->setMaximumWidth(kPlacesWidth);
    }
    if (auto* files = dialog.findChild<QTreeView*>("treeView")) {
        // The dialog sets its columns' widths again as it opens: the least width holds then.
        files->header()->setMinimumSectionSize(kLeastColumnWidth);
        const int columns = std::min(files->header()->count(), int(std::size(kColumnWidths)));
        for (int column = 0; column < columns; ++column) {
            files->header()->resizeSection(column, kColumnWidths[column]);
        }
    }
}

}  // namespace glossel::forms
