// The window tests' program: Qt's offscreen platform, a German user interface on a machine with
// code page 1252 (as the expected texts assume), one application object for all tests, message
// boxes answered in advance, and the program's own save dialog.
#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

#include "forms/MessageBox.h"
#include "forms/QtSaveDialog.h"
#include "platform/systools/SysTools.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "de_DE.UTF-8");
    qunsetenv("TESSVIA_ACP");
    QApplication application(argc, argv);
    glossel::forms::MessageBox::answerInAdvance();
    glossel::systools::SysTools().SetSaveDialog(std::make_unique<glossel::forms::QtSaveDialog>());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
