// glossel: the program with its windows. It starts with the main window and ends when that
// window is closed.
#include <QApplication>

#include "forms/ApplicationSetUp.h"
#include "forms/FGlossel.h"
#include "forms/WindowLook.h"
#include "platform/MemoryReuse.h"

int main(int argc, char* argv[]) {
    glossel::keepFreedMemoryForReuse();
    QApplication application(argc, argv);
    glossel::forms::setUpApplication(application);

    glossel::forms::FGlossel window;
    glossel::forms::centreOnScreen(window);
    window.show();
    return QApplication::exec();
}
