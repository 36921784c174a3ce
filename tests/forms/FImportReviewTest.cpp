// The review dialog on a summary of its own: the rows and the counts above them, sorting with a
// click on a column's head, the language filter and the search with the count of rows shown,
// the marked part of a change, Return in the search field, and the list saved as CSV through
// the save dialog.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPoint>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "forms/ChangeTableModel.h"
#include "forms/ChangedPart.h"
#include "forms/FImportReview.h"
#include "tests/TestFiles.h"
#include "tests/forms/FormsTestSupport.h"
#include "transfer/ChangesCsv.h"

namespace glossel::forms {
namespace {

using test::child;

constexpr char kGerman[] = "Deutsch (Deutschland) [1031]";
constexpr char kFrench[] = "Französisch (Frankreich) [1036]";

transfer::ImportSummary summaryOfThree() {
    transfer::ImportSummary summary;
    summary.languages = {{1031, false, 1, 5, 1, 0}, {1036, true, 2, 0, 3, 0, 1}};
    summary.changes = {
        {7, 1036, std::nullopt, std::string("Pompe arrêtée")},
        {3, 1031, std::string("Motor läuft"), std::string("Motor steht")},
        {5, 1036, std::string("Vanne\r\nouverte"), std::string("Vanne ouverte")},
    };
    summary.formulasWithoutText = {{9, 1036}};
    return summary;
}

class FImportReviewTest : public ::testing::Test {
protected:
    void open(FImportReview::Purpose purpose) {
        dialog_ = std::make_unique<FImportReview>(summary_, options_, purpose);
        dialog_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
    }
    QTableView& table() { return child<QTableView>(*dialog_, "tblChanges"); }
    std::vector<QString> column(int index) {
        std::vector<QString> cells;
        for (const QStringList& row : test::tableRows(table())) {
            cells.push_back(row[index]);
        }
        return cells;
    }
    QString count() { return child<QLabel>(*dialog_, "lblCount").text(); }
    void clickHead(int section) {
        QHeaderView& head = *table().horizontalHeader();
        const QPoint at(head.sectionViewportPosition(section) + head.sectionSize(section) / 2,
                        head.height() / 2);
        QTest::mouseClick(head.viewport(), Qt::LeftButton, {}, at);
    }

    transfer::ImportSummary summary_ = summaryOfThree();
    transfer::ImportOptions options_;
    std::unique_ptr<FImportReview> dialog_;
};

TEST_F(FImportReviewTest, ShowsEveryChangeWithTheCountsAbove) {
    options_.dryRun = true;
    open(FImportReview::Purpose::Check);
    EXPECT_EQ(test::tableRows(table()),
              (std::vector<QStringList>{
                  {"3", kGerman, QString::fromUtf8("Motor läuft"), "Motor steht"},
                  {"5", kFrench, QString::fromUtf8("Vanne↵ouverte"), "Vanne ouverte"},
                  {"7", kFrench, "(leer)", QString::fromUtf8("Pompe arrêtée")}}));
    EXPECT_EQ(count(), QString::fromUtf8("3 Änderungen"));
    const QString summary = child<QPlainTextEdit>(*dialog_, "txtSummary").toPlainText();
    EXPECT_TRUE(summary.startsWith(QString(kGerman) +
                                   QString::fromUtf8(": 1 Text geändert, 5 unverändert, 1 leere "
                                                     "Zelle übersprungen\n")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QString(kFrench) +
                                 QString::fromUtf8(", neue Spalte: 2 Texte geändert, keiner "
                                                   "unverändert, 3 leere Zellen übersprungen, 1 "
                                                   "Formel ohne Textergebnis nicht übernommen")));
    EXPECT_TRUE(summary.contains("IDs, die das Projekt nicht hat: keine"));
    EXPECT_TRUE(summary.contains(QString::fromUtf8("Formel ohne Textergebnis, nicht übernommen: "
                                                   "ID 9, ") +
                                 kFrench));
    EXPECT_EQ(dialog_->findChild<QPushButton*>("cmdAccept"), nullptr);
    EXPECT_TRUE(child<QPushButton>(*dialog_, "cmdClose").isDefault());

    // The changed part, in the text as the cell shows it; where a text only loses, a place.
    const QModelIndex changed = table().model()->index(0, ChangeTableModel::FileTextColumn);
    EXPECT_EQ(changed.data(ChangeTableModel::kChangedPartRole).toPoint(), QPoint(6, 4));
    const QModelIndex lost = table().model()->index(1, ChangeTableModel::FileTextColumn);
    EXPECT_EQ(lost.data(ChangeTableModel::kChangedPartRole).toPoint(), QPoint(5, 1));
    EXPECT_EQ(lost.siblingAtColumn(ChangeTableModel::ProjectTextColumn)
                  .data(Qt::ToolTipRole)
                  .toString(),
              "Vanne\r\nouverte");
    EXPECT_FALSE(table()
                     .model()
                     ->index(2, ChangeTableModel::ProjectTextColumn)
                     .data(ChangeTableModel::kChangedPartRole)
                     .isValid());
}

TEST_F(FImportReviewTest, SortsByTheColumnClickedAndBackwardsOnASecondClick) {
    open(FImportReview::Purpose::Import);
    clickHead(ChangeTableModel::FileTextColumn);
    EXPECT_EQ(column(0), (std::vector<QString>{"3", "7", "5"}));
    clickHead(ChangeTableModel::FileTextColumn);
    EXPECT_EQ(column(0), (std::vector<QString>{"5", "7", "3"}));
    clickHead(ChangeTableModel::LanguageColumn);
    EXPECT_EQ(column(1), (std::vector<QString>{kGerman, kFrench, kFrench}));
    clickHead(ChangeTableModel::IdColumn);
    EXPECT_EQ(column(0), (std::vector<QString>{"3", "5", "7"}));
}

TEST_F(FImportReviewTest, NarrowsByLanguageAndSearchText) {
    open(FImportReview::Purpose::Import);
    QComboBox& languages = child<QComboBox>(*dialog_, "cboLanguage");
    ASSERT_EQ(languages.count(), 3);
    EXPECT_EQ(languages.itemText(0), "Alle Sprachen");
    languages.setCurrentIndex(languages.findText(kFrench));
    EXPECT_EQ(column(0), (std::vector<QString>{"5", "7"}));
    EXPECT_EQ(count(), QString::fromUtf8("2 von 3 Änderungen"));

    QLineEdit& search = child<QLineEdit>(*dialog_, "txtSearch");
    search.setFocus();
    QTest::keyClicks(&search, "POMPE");
    EXPECT_EQ(column(0), (std::vector<QString>{"7"}));
    // Return ends the search, not the dialog.
    QTest::keyClick(&search, Qt::Key_Return);
    EXPECT_TRUE(dialog_->isVisible());
    languages.setCurrentIndex(0);
    search.clear();
    QTest::keyClicks(&search, "motor");
    EXPECT_EQ(column(0), (std::vector<QString>{"3"}));
    EXPECT_EQ(count(), QString::fromUtf8("1 von 3 Änderungen"));
}

TEST_F(FImportReviewTest, AskingTheCancelIsTheDefaultAndEscCancels) {
    open(FImportReview::Purpose::Import);
    EXPECT_TRUE(child<QPushButton>(*dialog_, "cmdCancel").isDefault());
    EXPECT_FALSE(child<QPushButton>(*dialog_, "cmdAccept").isDefault());
    EXPECT_EQ(test::accessKeysUsedTwice(*dialog_), QStringList());
    const QString summary = child<QPlainTextEdit>(*dialog_, "txtSummary").toPlainText();
    EXPECT_FALSE(summary.contains("Probelauf"));
    EXPECT_TRUE(summary.endsWith(QString::fromUtf8("das vorige bleibt als .bak daneben.")));
    QTest::keyClick(&table(), Qt::Key_Return);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
    open(FImportReview::Purpose::Import);
    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
}

TEST_F(FImportReviewTest, SavesTheWholeListAsCsvWhateverIsShown) {
    open(FImportReview::Purpose::Check);
    QLineEdit& search = child<QLineEdit>(*dialog_, "txtSearch");
    QTest::keyClicks(&search, "motor");
    glossel::test::TempDir directory;
    const std::string path = directory.path("Liste.csv");
    test::onNextModal([path](QWidget& saveDialog) {
        auto& name = child<QLineEdit>(saveDialog, "fileNameEdit");
        name.setText(QString::fromStdString(path));
        QTest::keyClick(&name, Qt::Key_Return);
    });
    QTest::mouseClick(&child<QPushButton>(*dialog_, "cmdSaveCsv"), Qt::LeftButton);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    const std::vector<std::uint8_t> saved = glossel::test::readBytes(path);
    EXPECT_EQ(std::string(saved.begin(), saved.end()), transfer::changesCsv(summary_.changes));
    EXPECT_TRUE(dialog_->isVisible());
}

TEST(ChangedPart, BetweenWhatBothTextsBeginAndEndWith) {
    EXPECT_EQ(changedPart("Motor steht", "Motor läuft").start, 6);
    EXPECT_EQ(changedPart("Motor steht", "Motor läuft").length, 4);
    EXPECT_EQ(changedPart("Ventil", "Ventil").length, 0);
    EXPECT_EQ(changedPart("aa", "aaa").start, 2);
    EXPECT_EQ(changedPart("aa", "aaa").length, 0);
    // U+1F600 and U+1F601 share their high surrogate: the whole pair is marked.
    const TextSpan pair =
        changedPart(QString::fromUtf8("x\U0001F600y"), QString::fromUtf8("x\U0001F601y"));
    EXPECT_EQ(pair.start, 1);
    EXPECT_EQ(pair.length, 2);
    const TextSpan tail = changedPart(QString::fromUtf8("\U0001F600"), QString::fromUtf8("\U0001F680"));
    EXPECT_EQ(tail.start, 0);
    EXPECT_EQ(tail.length, 2);
}

}  // namespace
}  // namespace glossel::forms
