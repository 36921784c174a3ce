// glossel: the program with its windows. It starts with the export window, or with the import
// window when called with --import, and ends when that window is closed.
#include <QApplication>

#include <memory>

#include "forms/ApplicationSetUp.h"
#include "forms/FGlossel.h"
#include "forms/FImport.h"
#include "forms/WindowLook.h"
#include "platform/MemoryReuse.h"

int main(int argc, char* argv[]) {
    glossel::keepFreedMemoryForReuse();
    QApplication application(argc, argv);
    glossel::forms::setUpApplication(application);

    std::unique_ptr<QWidget> window;
    if (QApplication::arguments().contains("--import")) {
        window = std::make_unique<glossel::forms::FImport>();
    } else {
        window = std::make_unique<glossel::forms::FGlossel>();
    }
    glossel::forms::centreOnScreen(*window);
    window->show();
    return QApplication::exec();
}
