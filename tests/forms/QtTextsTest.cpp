// Qt's own texts in German whatever the locale: the save dialog's labels, buttons and its
// question before a file is replaced. This test also runs under the C locale
// (tests/forms/CMakeLists.txt).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "platform/systools/SysTools.h"
#include "tests/TestFiles.h"
#include "tests/forms/FormsTestSupport.h"

namespace glossel::forms {
namespace {

using test::child;

// The texts of the window's buttons in alphabetical order, joined by " | ".
std::string buttonTexts(const QWidget& window) {
    QStringList texts;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty()) {
            texts.append(button->text());
        }
    }
    texts.sort();
    return texts.join(" | ").toStdString();
}

TEST(QtTextsTest, TheSaveDialogAndItsQuestionSpeakGerman) {
    glossel::test::TempDir dir;
    glossel::test::writeBytes(dir.path("Texte.xls"), {1});
    QString question;
    std::string answers;
    test::onNextModal([&](QWidget& dialog) {
        EXPECT_EQ(child<QLabel>(dialog, "lookInLabel").text(), "Suchen in:");
        EXPECT_EQ(child<QLabel>(dialog, "fileNameLabel").text(), "Datei&name:");
        EXPECT_EQ(child<QLabel>(dialog, "fileTypeLabel").text(), "Dateien des Typs:");
        EXPECT_EQ(buttonTexts(child<QDialogButtonBox>(dialog, "buttonBox")),
                  "Abbrechen | S&peichern");
        test::onNextModal([&](QWidget& box) {
            auto& message = static_cast<QMessageBox&>(box);
            question = message.text();
            answers = buttonTexts(message);
            message.button(QMessageBox::Yes)->click();
        });
        auto& name = child<QLineEdit>(dialog, "fileNameEdit");
        name.setText(QString::fromStdString(dir.path("Texte")));
        QTest::keyClick(&name, Qt::Key_Return);
    });
    const std::string chosen = systools::SysTools().FileTools().ShowSaveDialog(
        2, "Exportieren in", "", "Excel-Dateien (*.xls)|*.xls", 4, 0);
    EXPECT_EQ(question.toStdString(),
              "Die Datei Texte.xls existiert bereits.\nSoll sie überschrieben werden?");
    EXPECT_EQ(answers, "&Ja | &Nein");
    EXPECT_EQ(chosen, dir.path("Texte.xls"));
}

}  // namespace
}  // namespace glossel::forms
