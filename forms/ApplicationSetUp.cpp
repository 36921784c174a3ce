// The application object's set-up.
#include "forms/ApplicationSetUp.h"

#include <QApplication>

#include <memory>

#include "forms/QtSaveDialog.h"
#include "forms/QtTranslations.h"
#include "forms/WindowLook.h"
#include "platform/systools/SysTools.h"

namespace glossel::forms {

void setUpApplication(QApplication& application) {
    application.setApplicationName("Glossel");
    application.setWindowIcon(programIcon());
    installGermanQtTexts(application);
    systools::SysTools().SetSaveDialog(std::make_unique<QtSaveDialog>());
}

}  // namespace glossel::forms
