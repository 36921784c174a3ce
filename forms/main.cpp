// glossel: the program with its windows. It starts with the main window and ends when that
// window is closed.
#include <QApplication>

#include <memory>

#include "forms/FGlossel.h"
#include "forms/QtSaveDialog.h"
#include "forms/WindowLook.h"
#include "platform/systools/SysTools.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    application.setApplicationName("Glossel");
    application.setWindowIcon(glossel::forms::programIcon());
    glossel::systools::SysTools().SetSaveDialog(std::make_unique<glossel::forms::QtSaveDialog>());

    glossel::forms::FGlossel window;
    glossel::forms::centreOnScreen(window);
    window.show();
    return QApplication::exec();
}
