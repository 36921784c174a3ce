// The window tests' program: one application object for all tests, message boxes answered in
// advance, and the program's own save dialog.
#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

#include "forms/MessageBox.h"
#include "forms/QtSaveDialog.h"
#include "platform/systools/SysTools.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    glossel::forms::MessageBox::answerInAdvance();
    glossel::systools::SysTools().SetSaveDialog(std::make_unique<glossel::forms::QtSaveDialog>());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
