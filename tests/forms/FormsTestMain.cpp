// The window tests' program: Qt's offscreen platform, a German user interface on a machine with
// code page 1252 (as the expected texts assume; GLOSSEL_FORMS_TEST_LOCALE names another locale
// for checks that must not depend on it), one application object for all tests, set up as the
// program sets up its own, and message boxes answered in advance.
#include <gtest/gtest.h>

#include <QApplication>

#include "forms/ApplicationSetUp.h"
#include "forms/MessageBox.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray locale = qgetenv("GLOSSEL_FORMS_TEST_LOCALE");
    qputenv("LC_ALL", locale.isEmpty() ? QByteArray("de_DE.UTF-8") : locale);
    qunsetenv("TESSVIA_ACP");
    QApplication application(argc, argv);
    glossel::forms::setUpApplication(application);
    glossel::forms::MessageBox::answerInAdvance();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
