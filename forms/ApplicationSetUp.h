// What the program sets up in its application object before the first window opens; the
// window tests set theirs up the same way.
#pragma once

class QApplication;

namespace glossel::forms {

// The program's name and icon, Qt's texts in German (QtTranslations.h) and the program's own
// save dialog for FileTools.ShowSaveDialog.
void setUpApplication(QApplication& application);

}  // namespace glossel::forms
