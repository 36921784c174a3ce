// The open dialog of the import window: Qt's own file dialog (not the desktop's native one), as
// for saving, so that it looks alike everywhere and tests can drive it.
#pragma once

#include <string>

class QWidget;

namespace glossel::forms {

// Shows the dialog modally over `owner` and returns the chosen existing file, "" when the user
// cancels. `filter` is a Windows filter ("Excel-Dateien (*.xls)|*.xls|..."); an invalid one
// raises glossel::Error 5.
std::string chooseFileToOpen(QWidget* owner, const std::string& title, const std::string& filter);

}  // namespace glossel::forms
