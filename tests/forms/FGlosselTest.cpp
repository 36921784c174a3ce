// The main window, driven along the user's paths: choosing a project through the real chooser,
// ticking languages, choosing the target through the real save dialog, and exporting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "forms/FGlossel.h"
#include "forms/MessageBox.h"
#include "platform/Variant.h"
#include "tests/TestDatabase.h"
#include "tests/TestFiles.h"
#include "tests/forms/FormsTestSupport.h"

namespace glossel::forms {
namespace {

using test::child;

const QString kLimitMessage = QString::fromUtf8("Maximal drei Sprachen selektierbar!");

class FGlosselTest : public test::WindowTest<FGlossel> {
protected:
    // Toggles the tick of entry `row` with the space key, as a user does.
    void toggle(int row) {
        languages().setCurrentRow(row);
        QTest::keyClick(&languages(), Qt::Key_Space);
    }

    std::vector<int> ticked() {
        std::vector<int> rows;
        for (int row = 0; row < languages().count(); ++row) {
            if (languages().item(row)->checkState() == Qt::Checked) {
                rows.push_back(row);
            }
        }
        return rows;
    }

    glossel::test::TempDir targets_;
};

TEST_F(FGlosselTest, StartsEmptyWithTheExportDisabled) {
    EXPECT_EQ(window_.windowTitle(), "TessviaStudio - Sprachen exportieren");
    EXPECT_EQ(window_.size(), QSize(421, 324));
    EXPECT_EQ(window_.minimumSize(), window_.maximumSize());
    EXPECT_FALSE(window_.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(window_.windowIcon().isNull());
    EXPECT_EQ(languages().count(), 0);
    EXPECT_FALSE(button("cmdImport").isEnabled());
    EXPECT_EQ(button("cmdImport").text(), "&Exportieren");
    EXPECT_EQ(button("cmdClose").text(), "&Beenden");
    EXPECT_EQ(button("cmdImport").geometry(), QRect(232, 288, 89, 25));

    QTest::keyClicks(&field("txtName"), "Linie1");
    EXPECT_EQ(field("txtName").text(), "");
    QTest::keyClicks(&field("txtImportTVS"), "/tmp/x.xls");
    EXPECT_FALSE(button("cmdImport").isEnabled());
    EXPECT_EQ(field("txtImportTVS").text(), "/tmp/x.xls");
}

TEST_F(FGlosselTest, TabOrderAccessKeysAndEsc) {
    const char* order[] = {"txtName",      "cmdSearchProject",   "txtPath",   "lstLanguages",
                           "txtImportTVS", "cmdSearchImportTVS", "cmdImport", "cmdClose"};
    field("txtName").setText("Linie1");  // so that the export button takes part
    field("txtImportTVS").setText("/tmp/x.xls");
    child<QWidget>(window_, order[0]).setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), order[i]);
    }
    EXPECT_EQ(child<QLabel>(window_, "lbl(0)").buddy(), &field("txtName"));
    EXPECT_EQ(child<QLabel>(window_, "lbl(1)").buddy(), &field("txtPath"));
    EXPECT_EQ(child<QLabel>(window_, "lbl(2)").buddy(), &languages());
    QTest::keyClick(&window_, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(languages().hasFocus());
    EXPECT_EQ(test::accessKeysUsedTwice(window_), QStringList());

    QTest::keyClick(&languages(), Qt::Key_Escape);
    EXPECT_FALSE(window_.isVisible());
}

TEST_F(FGlosselTest, ChoosingAProjectFillsPathAndLanguages) {
    const std::string directory = projects_.add("Linie1");
    chooseProject("Linie1");
    EXPECT_EQ(field("txtName").text(), "Linie1");
    EXPECT_EQ(field("txtPath").text().toStdString(), directory);
    EXPECT_EQ(entries(),
              (QStringList{"Deutsch (Deutschland) [1031]", "Englisch (Vereinigte Staaten) [1033]",
                           QString::fromUtf8("Französisch (Frankreich) [1036]"),
                           "Russisch (Russland) [1049]"}));
    EXPECT_FALSE(button("cmdImport").isEnabled());
    QTest::keyClicks(&field("txtImportTVS"), " ");
    EXPECT_TRUE(button("cmdImport").isEnabled());
    QTest::keyClick(&field("txtImportTVS"), Qt::Key_Backspace);
    EXPECT_FALSE(button("cmdImport").isEnabled());
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());

    // A double-click on the directory does nothing.
    QTest::mouseDClick(&field("txtPath"), Qt::LeftButton);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(FGlosselTest, AtMostThreeLanguagesCanBeTicked) {
    projects_.add("Linie1");
    chooseProject("Linie1");
    toggle(0);
    toggle(1);
    toggle(3);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    toggle(2);
    EXPECT_EQ(ticked(), (std::vector<int>{0, 1, 3}));
    const QList<ShownMessage> shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, kLimitMessage);
    EXPECT_EQ(shown[0].icon, MessageIcon::None);

    toggle(1);
    toggle(2);
    EXPECT_EQ(ticked(), (std::vector<int>{0, 2, 3}));
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
}

TEST_F(FGlosselTest, ChoosingAgainOrChoosingNothing) {
    projects_.add("Linie1");
    const std::string second = projects_.add("Linie2");
    chooseProject("Linie1");
    toggle(0);
    QTest::keyClicks(&field("txtImportTVS"), "/tmp/x.xls");
    chooseProject("Linie2");
    EXPECT_EQ(field("txtPath").text().toStdString(), second);
    EXPECT_TRUE(ticked().empty());
    EXPECT_EQ(languages().count(), 4);
    toggle(1);

    openChooser([](QWidget& dialog) { child<QPushButton>(dialog, "cmdCancel").click(); });
    EXPECT_EQ(field("txtName").text(), "");
    EXPECT_FALSE(button("cmdImport").isEnabled());
    EXPECT_EQ(field("txtPath").text().toStdString(), second);
    EXPECT_EQ(ticked(), std::vector<int>{1});
}

TEST_F(FGlosselTest, TheChooserShowsTheRegistryOfTheMomentItOpens) {
    projects_.add("Linie1");
    auto listed = [this] {
        std::vector<std::string> names;
        openChooser([&names](QWidget& dialog) {
            names = test::rowNames(child<QTreeWidget>(dialog, "lvwRegisteredProjects"));
            dialog.close();
        });
        return names;
    };
    EXPECT_EQ(listed(), std::vector<std::string>{"Linie1"});
    projects_.add("Linie2");
    projects_.removeFile("Linie1");
    EXPECT_EQ(listed(), std::vector<std::string>{"Linie2"});
    EXPECT_EQ(projects_.registryText().find("Linie1"), std::string::npos);
}

TEST_F(FGlosselTest, TheChooserExplainsTheExport) {
    EXPECT_EQ(chooserPurpose(),
              QString::fromUtf8("Hier wählen Sie das Projekt, dessen Sprachen Sie exportieren "
                                "möchten."));
}

TEST_F(FGlosselTest, TheSaveDialogsAnswerReplacesTheTarget) {
    QTest::keyClicks(&field("txtImportTVS"), "/tmp/alt.xls");
    test::onNextModal([this](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Exportieren in");
        auto& name = child<QLineEdit>(dialog, "fileNameEdit");
        // Set rather than typed: typing opens the completer, which takes the Return key.
        name.setText(QString::fromStdString(targets_.path("Texte")));
        QTest::keyClick(&name, Qt::Key_Return);
    });
    QTest::mouseClick(&button("cmdSearchImportTVS"), Qt::LeftButton);
    EXPECT_EQ(field("txtImportTVS").text().toStdString(), targets_.path("Texte.xls"));

    test::onNextModal([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QTest::mouseDClick(&field("txtImportTVS"), Qt::LeftButton);
    EXPECT_EQ(field("txtImportTVS").text(), "");
}

TEST_F(FGlosselTest, TheSaveDialogOffersTheExchangeFileTypesAndAddsTheChosenExtension) {
    test::onNextModal([this](QWidget& dialog) {
        test::expectUnclippedFileColumns(dialog);
        auto& types = child<QComboBox>(dialog, "fileTypeCombo");
        QStringList offered;
        for (int row = 0; row < types.count(); ++row) {
            offered.append(types.itemText(row));
        }
        EXPECT_EQ(offered, (QStringList{"Excel-Dateien (*.xls)", "Excel-Arbeitsmappen (*.xlsx)",
                                        "Datenbankdateien (*.mdb)", "XLIFF-Dateien (*.xlf)",
                                        "Alle Dateien (*)"}));
        QTest::keyClick(&types, Qt::Key_Down);  // the next type, as a user picks it
        auto& name = child<QLineEdit>(dialog, "fileNameEdit");
        name.setText(QString::fromStdString(targets_.path("Texte")));
        QTest::keyClick(&name, Qt::Key_Return);
    });
    QTest::mouseClick(&button("cmdSearchImportTVS"), Qt::LeftButton);
    EXPECT_EQ(field("txtImportTVS").text().toStdString(), targets_.path("Texte.xlsx"));
}

TEST_F(FGlosselTest, ExportsTheTickedLanguages) {
    projects_.add("Linie1");
    chooseProject("Linie1");
    toggle(3);
    toggle(0);
    toggle(1);
    const std::string target = targets_.path("Texte.xls");
    QTest::keyClicks(&field("txtImportTVS"), QString::fromStdString(target));
    QTest::mouseClick(&button("cmdImport"), Qt::LeftButton);

    const QList<ShownMessage> shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, "Sprache erfolgreich exportiert!");
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);
    EXPECT_FALSE(shown[0].duringWaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(field("txtName").text(), "Linie1");
    EXPECT_EQ(field("txtImportTVS").text().toStdString(), target);
    EXPECT_EQ(ticked(), (std::vector<int>{0, 1, 3}));

    const glossel::test::Rows sheet =
        glossel::test::readRows(target, "TidxTexts$", "Excel 8.0;HDR=NO;IMEX=2;");
    ASSERT_GE(sheet.size(), 3u);
    EXPECT_EQ(sheet[0][2], Variant(std::string("L1031")));
    EXPECT_EQ(sheet[0][3], Variant(std::string("L1033")));
    EXPECT_EQ(sheet[0][4], Variant(std::string("L1049")));
    bool cyrillic = false;
    for (const auto& row : sheet) {
        const auto* text = std::get_if<std::string>(&row[4]);
        cyrillic = cyrillic || (text && text->find("\xD0") != std::string::npos);
    }
    EXPECT_TRUE(cyrillic) << "no Russian text arrived in Cyrillic";
}

TEST_F(FGlosselTest, AFailedExportShowsOnlyItsError) {
    projects_.add("Linie1");
    chooseProject("Linie1");
    toggle(0);
    QTest::keyClicks(&field("txtImportTVS"), QString::fromStdString(targets_.path("Texte.XLS")));
    QTest::mouseClick(&button("cmdImport"), Qt::LeftButton);
    const QList<ShownMessage> shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].text.startsWith("Fehler beim Exportieren einer Sprache!\n"));
    // The export reported its failure under the wait cursor, which went with it.
    EXPECT_TRUE(shown[0].duringWaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FGlosselTest, AnErrorInAHandlerIsShownAndTheWindowGoesOn) {
    projects_.add("Linie1");
    const std::string broken = projects_.add("Kaputt");
    chooseProject("Linie1");
    toggle(2);
    projects_.damage("Kaputt");
    chooseProject("Kaputt");

    const QList<ShownMessage> shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].text.contains(QRegularExpression("^\\d+: .+")))
        << shown[0].text.toStdString();
    EXPECT_EQ(field("txtName").text(), "Kaputt");
    EXPECT_EQ(field("txtPath").text().toStdString(), broken);
    EXPECT_TRUE(window_.isVisible());
    chooseProject("Linie1");
    EXPECT_EQ(languages().count(), 4);
}

}  // namespace
}  // namespace glossel::forms
