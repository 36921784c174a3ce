// The file type lists of the program's file dialogs: Windows filters ("Excel-Dateien
// (*.xls)|*.xls|...", where "*.*" means every file) as Qt's name filters ("*" for every file).
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "platform/systools/SaveDialog.h"

namespace glossel::forms {

// "Excel-Dateien (*.xls)" for the description "Excel-Dateien (*.xls)" and the patterns "*.xls".
QStringList qtNameFilters(const std::vector<systools::FileFilter>& filters);

// "xls" for "Excel-Dateien (*.xls)"; "" where the file type has no single extension.
QString defaultSuffix(const QString& nameFilter);

}  // namespace glossel::forms
