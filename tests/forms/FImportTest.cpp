// The import window, driven along the user's paths: choosing the project through the real
// chooser and the exchange file through the real open dialog, ticking languages, checking and
// importing, with the project read back afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <map>

#include "forms/FImport.h"
#include "forms/MessageBox.h"
#include "platform/dao/DBEngine.h"
#include "tests/TestFiles.h"
#include "tests/forms/FormsTestSupport.h"
#include "transfer/MImportLanguage.h"
#include "transfer/SortedListBox.h"

namespace glossel::forms {
namespace {

using test::child;

constexpr std::int32_t kGerman = 1031;
constexpr std::int32_t kEnglish = 1033;
constexpr std::int32_t kItalian = 1040;  // a language the demo project lacks
constexpr char kGermanEntry[] = "Deutsch (Deutschland) [1031]";
constexpr char kEnglishEntry[] = "Englisch (Vereinigte Staaten) [1033]";
constexpr char kItalianEntry[] = "Italienisch (Italien) [1040]";
constexpr char kChangedGerman[] = "Motor 1 läuft jetzt";
constexpr char kItalianText[] = "Motore 1 in marcia";

class IgnoredMessages : public transfer::MessageBoxes {
public:
    void ShowPlain(const std::string& text) override { ADD_FAILURE() << text; }
    void ShowInformation(const std::string&) override {}
};

Variant textOf(const std::string& database, std::int32_t id, const std::string& column) {
    dao::Database opened = dao::DBEngine().OpenDatabase(database);
    dao::Recordset records = opened.OpenRecordset("TidxTexts");
    Variant value;
    for (records.MoveFirst(); !records.Eof(); records.MoveNext()) {
        if (records.Fields().Item("ID").Value() == Variant(id)) {
            value = records.Fields().Item(column).Value();
        }
    }
    records.Close();
    opened.Close();
    return value;
}

// What the review showed, read before it was closed.
struct Review {
    bool shown = false;
    QString caption;
    QString summary;
    std::vector<QStringList> rows;
    QStringList buttons;  // by name, left to right
    QString defaultButton;
};

// Every language text of the project, by "<ID> <column>".
std::map<std::string, Variant> projectTexts(const std::string& database) {
    dao::Database opened = dao::DBEngine().OpenDatabase(database);
    dao::Recordset records = opened.OpenRecordset("TidxTexts");
    std::map<std::string, Variant> texts;
    for (records.MoveFirst(); !records.Eof(); records.MoveNext()) {
        const std::string id =
            std::to_string(std::get<std::int32_t>(records.Fields().Item("ID").Value()));
        for (const dao::Field& field : records.Fields()) {
            if (field.Name().starts_with("L")) {
                texts[id + " " + field.Name()] = field.Value();
            }
        }
    }
    records.Close();
    opened.Close();
    return texts;
}

class FImportTest : public test::WindowTest<FImport> {
protected:
    // Reads the next review into `review` and closes it with the button `closing`.
    QPointer<QTimer> watchReview(Review& review, const char* closing) {
        return test::onNextModal([&review, closing](QWidget& dialog) {
            review.shown = true;
            review.caption = dialog.windowTitle();
            review.summary = child<QPlainTextEdit>(dialog, "txtSummary").toPlainText();
            review.rows = test::tableRows(child<QTableView>(dialog, "tblChanges"));
            QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
            std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) {
                return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
            });
            for (QPushButton* button : buttons) {
                review.buttons.append(button->objectName());
                if (button->isDefault()) {
                    review.defaultButton = button->objectName();
                }
            }
            QTest::mouseClick(&child<QPushButton>(dialog, closing), Qt::LeftButton);
        });
    }

    std::string projectFile(const std::string& name) {
        return projects_.directory(name) + "/" + name + ".tvs";
    }

    // Chooses `path` in the open dialog, typed into its name field as a user does.
    void chooseFile(const std::string& path) {
        test::onNextModal([path](QWidget& dialog) {
            auto& name = child<QLineEdit>(dialog, "fileNameEdit");
            // Set rather than typed: typing opens the completer, which takes the Return key.
            name.setText(QString::fromStdString(path));
            QTest::keyClick(&name, Qt::Key_Return);
        });
        QTest::mouseClick(&button("cmdSearchFile"), Qt::LeftButton);
    }

    // German and English of the demo project exported into `name` (German the source of an
    // XLIFF document); its path.
    std::string exportedGermanAndEnglish(const char* name) {
        projects_.add("Quelle");
        transfer::SortedListBox list;
        transfer::FillLanguageList(projectFile("Quelle"), list);
        for (int entry = 0; entry < list.ListCount(); ++entry) {
            const std::int32_t lcid = list.ItemData(entry);
            list.SetSelected(entry, lcid == kGerman || lcid == kEnglish);
        }
        const std::string file = files_.path(name);
        IgnoredMessages messages;
        EXPECT_TRUE(transfer::ExportSelectedLanguages(projectFile("Quelle"), list, file, messages,
                                                      kGerman));
        return file;
    }

    // An exchange database exported from the demo project with German and English, in which
    // ID 1's German text is changed and an Italian column is added with one text.
    std::string returnedFile() {
        const std::string file = exportedGermanAndEnglish("Rueckgabe.mdb");
        dao::Database database = dao::DBEngine().OpenDatabase(file);
        dao::TableDef table = database.TableDefs().Item("TidxTexts");
        table.Fields().Append(table.CreateField("L1040", 10, 255));
        dao::Recordset records = database.OpenRecordset("TidxTexts");
        for (records.MoveFirst(); !records.Eof(); records.MoveNext()) {
            if (records.Fields().Item("ID").Value() == Variant(std::int32_t{1})) {
                records.Edit();
                records.Fields().Item("L1031").SetValue(std::string(kChangedGerman));
                records.Fields().Item("L1040").SetValue(std::string(kItalianText));
                records.Update();
            }
        }
        records.Close();
        database.Close();
        return file;
    }

    // Project and file chosen, German and Italian ticked.
    std::string readyToImport() {
        projects_.add("Linie1");
        const std::string file = returnedFile();
        chooseProject("Linie1");
        chooseFile(file);
        tick(kGermanEntry);
        tick(QString(kItalianEntry) + " (neu)");
        EXPECT_TRUE(button("cmdImport").isEnabled());
        return file;
    }

    void tick(const QString& entry) {
        const QList<QListWidgetItem*> found = languages().findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << entry.toStdString();
        languages().setCurrentItem(found[0]);
        QTest::keyClick(&languages(), Qt::Key_Space);
    }

    bool buttonsEnabled() {
        EXPECT_EQ(button("cmdCheck").isEnabled(), button("cmdImport").isEnabled());
        return button("cmdImport").isEnabled();
    }

    glossel::test::TempDir files_;
};

TEST_F(FImportTest, StartsEmptyWithCheckAndImportDisabled) {
    EXPECT_EQ(window_.windowTitle(), "TessviaStudio - Sprachen importieren");
    EXPECT_EQ(window_.size(), QSize(421, 324));
    EXPECT_EQ(window_.minimumSize(), window_.maximumSize());
    EXPECT_EQ(child<QLabel>(window_, "lbl(0)").text(), "Projekt&name");
    EXPECT_EQ(child<QLabel>(window_, "lbl(1)").text(), "Projekt&verzeichnis");
    EXPECT_EQ(child<QLabel>(window_, "lbl(2)").text(), "Importieren aus &Datei");
    EXPECT_EQ(child<QLabel>(window_, "lbl(3)").text(), "Zu importierende &Sprachen");
    EXPECT_EQ(child<QLabel>(window_, "lbl(2)").buddy(), &field("txtFile"));
    EXPECT_EQ(child<QLabel>(window_, "lbl(3)").buddy(), &languages());
    EXPECT_EQ(button("cmdCheck").text(), QString::fromUtf8("&Prüfen"));
    EXPECT_EQ(button("cmdImport").text(), "&Importieren");
    EXPECT_EQ(button("cmdClose").text(), "&Beenden");
    EXPECT_FALSE(buttonsEnabled());
    EXPECT_EQ(languages().count(), 0);

    QTest::keyClick(&window_, Qt::Key_Escape);
    EXPECT_FALSE(window_.isVisible());
}

TEST_F(FImportTest, TabOrderAndAccessKeys) {
    readyToImport();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    const char* order[] = {"txtName",  "cmdSearchProject", "txtPath",
                           "txtFile",  "cmdSearchFile",    "lstLanguages",
                           "cmdCheck", "cmdImport",        "cmdClose"};
    child<QWidget>(window_, order[0]).setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), order[i]);
    }
    QTest::keyClick(&window_, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(languages().hasFocus());
    QTest::keyClick(&window_, Qt::Key_V, Qt::AltModifier);
    EXPECT_TRUE(field("txtPath").hasFocus());
    QTest::keyClick(&window_, Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(field("txtFile").hasFocus());
    EXPECT_EQ(test::accessKeysUsedTwice(window_), QStringList());
}

TEST_F(FImportTest, TheOpenDialogOffersTheExchangeFileTypes) {
    test::onNextModal([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Importieren aus");
        test::expectUnclippedFileColumns(dialog);
        const auto& types = child<QComboBox>(dialog, "fileTypeCombo");
        QStringList offered;
        for (int row = 0; row < types.count(); ++row) {
            offered.append(types.itemText(row));
        }
        EXPECT_EQ(offered, (QStringList{"Excel-Dateien (*.xls)", "Excel-Arbeitsmappen (*.xlsx)",
                                        "Datenbankdateien (*.mdb)", "XLIFF-Dateien (*.xlf)",
                                        "Alle Dateien (*)"}));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QTest::mouseDClick(&field("txtFile"), Qt::LeftButton);
    EXPECT_EQ(field("txtFile").text(), "");
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
}

// An XLIFF document exported from the demo project with German as its source and English as
// its target: the target languages are what it brings back.
TEST_F(FImportTest, ListsTheLanguagesOfAnXliffDocument) {
    const std::string file = exportedGermanAndEnglish("Rueckgabe.xlf");
    chooseFile(file);
    EXPECT_EQ(field("txtFile").text().toStdString(), file);
    EXPECT_EQ(entries(), QStringList{kEnglishEntry});
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
}

TEST_F(FImportTest, ListsTheFilesLanguagesMarkingThoseTheProjectLacks) {
    projects_.add("Linie1");
    const std::string file = returnedFile();
    chooseFile(file);
    EXPECT_EQ(field("txtFile").text().toStdString(), file);
    // Without a project nothing is marked, and nothing can be imported.
    EXPECT_EQ(entries(), (QStringList{kGermanEntry, kEnglishEntry, kItalianEntry}));
    tick(kItalianEntry);
    EXPECT_FALSE(buttonsEnabled());

    chooseProject("Linie1");
    EXPECT_EQ(field("txtPath").text().toStdString(), projects_.directory("Linie1"));
    EXPECT_EQ(entries(),
              (QStringList{kGermanEntry, kEnglishEntry, QString(kItalianEntry) + " (neu)"}));
    EXPECT_EQ(languages().item(2)->checkState(), Qt::Checked);
    EXPECT_TRUE(buttonsEnabled());
    tick(kGermanEntry);
    tick(kEnglishEntry);
    EXPECT_TRUE(buttonsEnabled());
    tick(kGermanEntry);
    tick(kEnglishEntry);
    tick(QString(kItalianEntry) + " (neu)");
    EXPECT_FALSE(buttonsEnabled());

    // A cancelled open dialog keeps the file.
    test::onNextModal([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QTest::mouseClick(&button("cmdSearchFile"), Qt::LeftButton);
    EXPECT_EQ(field("txtFile").text().toStdString(), file);
    EXPECT_EQ(languages().count(), 3);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
}

TEST_F(FImportTest, CheckShowsTheReviewAndWritesNothing) {
    readyToImport();
    const auto before = glossel::test::readBytes(projectFile("Linie1"));
    const Variant german = textOf(projectFile("Linie1"), 1, "L1031");
    Review review;
    watchReview(review, "cmdClose");
    QTest::mouseClick(&button("cmdCheck"), Qt::LeftButton);
    ASSERT_TRUE(review.shown);
    EXPECT_EQ(review.caption, QString::fromUtf8("TessviaStudio - Import prüfen"));
    EXPECT_EQ(review.buttons, (QStringList{"cmdSaveCsv", "cmdClose"}));
    EXPECT_EQ(review.rows,
              (std::vector<QStringList>{
                  {"1", kGermanEntry, QString::fromStdString(std::get<std::string>(german)),
                   QString::fromUtf8(kChangedGerman)},
                  {"1", kItalianEntry, "(leer)", QString::fromUtf8(kItalianText)}}));
    EXPECT_TRUE(review.summary.startsWith(QString(kGermanEntry) + ": 1 Text geändert, "));
    EXPECT_TRUE(
        review.summary.contains(QString(kItalianEntry) + ", neue Spalte: 1 Text geändert, "));
    EXPECT_TRUE(review.summary.contains("IDs, die das Projekt nicht hat: keine"));
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    EXPECT_EQ(glossel::test::readBytes(projectFile("Linie1")), before);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FImportTest, UebernehmenWritesExactlyWhatTheReviewShowed) {
    readyToImport();
    const std::map<std::string, Variant> before = projectTexts(projectFile("Linie1"));
    Review review;
    watchReview(review, "cmdAccept");
    QTest::mouseClick(&button("cmdImport"), Qt::LeftButton);
    ASSERT_TRUE(review.shown);
    EXPECT_EQ(review.caption, QString::fromUtf8("TessviaStudio - Import übernehmen?"));
    EXPECT_EQ(review.buttons, (QStringList{"cmdSaveCsv", "cmdAccept", "cmdCancel"}));
    EXPECT_EQ(review.defaultButton, "cmdCancel");
    EXPECT_FALSE(review.summary.contains("Probelauf"));

    // Every cell that differs afterwards is a row of the review, with the text it showed.
    const std::map<std::string, Variant> after = projectTexts(projectFile("Linie1"));
    std::map<std::string, Variant> changed;
    for (const auto& [cell, value] : after) {
        const auto old = before.find(cell);
        if (old == before.end() ? !std::holds_alternative<Null>(value) : old->second != value) {
            changed[cell] = value;
        }
    }
    std::map<std::string, Variant> shown;
    for (const QStringList& row : review.rows) {
        const std::string column = row[1] == kGermanEntry ? "L1031" : "L1040";
        shown[row[0].toStdString() + " " + column] = std::string(row[3].toUtf8());
    }
    EXPECT_EQ(changed, shown);

    const QList<ShownMessage> messages = MessageBox::takeShown();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].icon, MessageIcon::Information);
    EXPECT_FALSE(messages[0].duringWaitCursor);
    EXPECT_TRUE(messages[0].text.startsWith(QString::fromUtf8("Texte erfolgreich importiert!\n\n") +
                                            kGermanEntry + ": 1 Text geändert, "))
        << messages[0].text.toStdString();
    EXPECT_TRUE(messages[0].text.contains("Das Projekt wurde geschrieben"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(std::filesystem::exists(projectFile("Linie1") + ".bak"));
    // The project has the Italian column now; the ticks stay.
    EXPECT_EQ(entries(), (QStringList{kGermanEntry, kEnglishEntry, kItalianEntry}));
    EXPECT_TRUE(buttonsEnabled());
}

TEST_F(FImportTest, AbbrechenAndEscWriteNothing) {
    readyToImport();
    const auto before = glossel::test::readBytes(projectFile("Linie1"));
    Review review;
    watchReview(review, "cmdCancel");
    QTest::mouseClick(&button("cmdImport"), Qt::LeftButton);
    ASSERT_TRUE(review.shown);
    test::onNextModal([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QTest::mouseClick(&button("cmdImport"), Qt::LeftButton);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    EXPECT_EQ(glossel::test::readBytes(projectFile("Linie1")), before);
    EXPECT_FALSE(std::filesystem::exists(projectFile("Linie1") + ".bak"));
}

// Checked before the review asks, and by "Prüfen" alike.
TEST_F(FImportTest, AWriteProtectedProjectIsRefusedBeforeTheReview) {
    readyToImport();
    std::filesystem::permissions(projectFile("Linie1"), std::filesystem::perms::owner_read);
    const auto before = glossel::test::readBytes(projectFile("Linie1"));
    for (const char* command : {"cmdImport", "cmdCheck"}) {
        Review review;
        QPointer<QTimer> watch = watchReview(review, "cmdCancel");
        QTest::mouseClick(&button(command), Qt::LeftButton);
        delete watch.data();
        EXPECT_FALSE(review.shown) << command;
        const QList<ShownMessage> shown = MessageBox::takeShown();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].text.startsWith("3027: Die Projektdatei '"))
            << shown[0].text.toStdString();
        EXPECT_TRUE(shown[0].text.contains(QString::fromUtf8("schreibgeschützt")));
    }
    EXPECT_EQ(glossel::test::readBytes(projectFile("Linie1")), before);
    std::filesystem::permissions(projectFile("Linie1"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
}

TEST_F(FImportTest, TheChooserExplainsTheImport) {
    EXPECT_EQ(chooserPurpose(), QString::fromUtf8("Hier wählen Sie das Projekt, in dessen "
                                                  "Sprachen Sie Texte importieren möchten."));
}

TEST_F(FImportTest, NothingToImportIsSaidWithoutAQuestion) {
    projects_.add("Linie1");
    const std::string file = returnedFile();
    chooseProject("Linie1");
    chooseFile(file);
    tick(kEnglishEntry);
    const auto before = glossel::test::readBytes(projectFile("Linie1"));
    QTest::mouseClick(&button("cmdImport"), Qt::LeftButton);
    const QList<ShownMessage> shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(shown[0].text,
              QString::fromUtf8("Keine Änderungen: das Projekt bleibt unverändert."));
    EXPECT_EQ(glossel::test::readBytes(projectFile("Linie1")), before);
    EXPECT_FALSE(std::filesystem::exists(projectFile("Linie1") + ".bak"));
}

TEST_F(FImportTest, AnErrorIsShownAndTheWindowGoesOn) {
    const std::string file = readyToImport();
    const auto before = glossel::test::readBytes(projectFile("Linie1"));
    std::filesystem::rename(file, file + ".weg");
    QTest::mouseClick(&button("cmdCheck"), Qt::LeftButton);
    QList<ShownMessage> shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].text.contains(QRegularExpression("^\\d+: .+")))
        << shown[0].text.toStdString();
    EXPECT_FALSE(shown[0].duringWaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window_.isVisible());
    EXPECT_EQ(glossel::test::readBytes(projectFile("Linie1")), before);

    std::filesystem::rename(file + ".weg", file);
    Review review;
    watchReview(review, "cmdClose");
    QTest::mouseClick(&button("cmdCheck"), Qt::LeftButton);
    EXPECT_TRUE(review.shown);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
}

}  // namespace
}  // namespace glossel::forms
