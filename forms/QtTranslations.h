// Qt's own texts (the save dialog's labels and buttons, its questions, the context menus of
// text fields) in German, like every other text of the program, whatever the user's locale.
#pragma once

class QCoreApplication;

namespace glossel::forms {

// Loads Qt's German translations from Qt's translations directory into `application`. False
// when they are not installed there (the Debian package qt6-translations-l10n); Qt's texts then
// stay English. The locale keeps deciding everything else, such as the names of languages.
bool installGermanQtTexts(QCoreApplication& application);

}  // namespace glossel::forms
