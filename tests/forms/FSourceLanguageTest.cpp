// The export into an XLIFF document from the main window: the save dialog's XLIFF type, the
// source-language question over the ticked languages, and what its answer writes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <filesystem>

#include "forms/FGlossel.h"
#include "forms/MessageBox.h"
#include "tests/TestFiles.h"
#include "tests/forms/FormsTestSupport.h"

namespace glossel::forms {
namespace {

using test::child;

const QString kGermanEntry = "Deutsch (Deutschland) [1031]";
const QString kEnglishEntry = "Englisch (Vereinigte Staaten) [1033]";
const QString kRussianEntry = "Russisch (Russland) [1049]";
const QString kExported = "Sprache erfolgreich exportiert!";

// What the question showed, read before it was answered.
struct Question {
    bool asked = false;
    QString caption;
    QStringList offered;
    int preselected = -1;
    QString defaultButton;
    QStringList accessKeysUsedTwice;
    bool underWaitCursor = false;
};

class FSourceLanguageTest : public test::WindowTest<FGlossel> {
protected:
    // The demo project chosen, German, English and Russian ticked (out of list order), the
    // target named.
    void readyToExport(const std::string& target) {
        projects_.add("Linie1");
        chooseProject("Linie1");
        for (const int row : {3, 0, 1}) {
            toggle(row);
        }
        QTest::keyClicks(&field("txtImportTVS"), QString::fromStdString(target));
    }

    void toggle(int row) {
        languages().setCurrentRow(row);
        QTest::keyClick(&languages(), Qt::Key_Space);
    }

    // Reads the next question into `question`, then lets `answer` act on it.
    QPointer<QTimer> watchQuestion(Question& question, std::function<void(QWidget&)> answer) {
        return test::onNextModal([&question, answer = std::move(answer)](QWidget& dialog) {
            question.asked = true;
            question.caption = dialog.windowTitle();
            const auto& choice = child<QComboBox>(dialog, "cboSourceLanguage");
            for (int row = 0; row < choice.count(); ++row) {
                question.offered.append(choice.itemText(row));
            }
            question.preselected = choice.currentIndex();
            for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
                if (button->isDefault()) {
                    question.defaultButton = button->objectName();
                }
            }
            question.accessKeysUsedTwice = test::accessKeysUsedTwice(dialog);
            question.underWaitCursor = QApplication::overrideCursor() != nullptr;
            answer(dialog);
        });
    }

    void exportNow() { QTest::mouseClick(&button("cmdImport"), Qt::LeftButton); }

    // The language pairs of the document's file elements, "source>target" each, in file order.
    static QStringList languagePairs(const std::string& path) {
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
        const QString text = QString::fromUtf8(file.readAll());
        static const QRegularExpression element("<file\\b[^>]*>");
        static const QRegularExpression source("source-language=\"([^\"]*)\"");
        static const QRegularExpression target("target-language=\"([^\"]*)\"");
        QStringList pairs;
        for (auto found = element.globalMatch(text); found.hasNext();) {
            const QString start = found.next().captured();
            pairs.append(source.match(start).captured(1) + ">" + target.match(start).captured(1));
        }
        return pairs;
    }

    glossel::test::TempDir targets_;
};

TEST_F(FSourceLanguageTest, TheSaveDialogOffersXliffAndNamesAnXlfTarget) {
    test::onNextModal([this](QWidget& dialog) {
        auto& types = child<QComboBox>(dialog, "fileTypeCombo");
        const int xliff = types.findText("XLIFF-Dateien (*.xlf)");
        ASSERT_EQ(xliff, 3);
        EXPECT_EQ(types.itemText(4), "Alle Dateien (*)");
        for (int row = 0; row < xliff; ++row) {
            QTest::keyClick(&types, Qt::Key_Down);
        }
        auto& name = child<QLineEdit>(dialog, "fileNameEdit");
        name.setText(QString::fromStdString(targets_.path("Texte")));
        QTest::keyClick(&name, Qt::Key_Return);
    });
    QTest::mouseClick(&button("cmdSearchImportTVS"), Qt::LeftButton);
    EXPECT_EQ(field("txtImportTVS").text().toStdString(), targets_.path("Texte.xlf"));
}

TEST_F(FSourceLanguageTest, AsksAmongTheTickedLanguagesAndExportsWithTheChosenSource) {
    const std::string target = targets_.path("Texte.xlf");
    readyToExport(target);
    Question question;
    watchQuestion(question, [](QWidget& dialog) {
        QTest::keyClick(&child<QComboBox>(dialog, "cboSourceLanguage"), Qt::Key_Down);
        QTest::mouseClick(&child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    exportNow();

    ASSERT_TRUE(question.asked);
    EXPECT_EQ(question.caption, "TessviaStudio - Ausgangssprache");
    EXPECT_EQ(question.offered, (QStringList{kGermanEntry, kEnglishEntry, kRussianEntry}));
    EXPECT_EQ(question.preselected, 0);
    EXPECT_EQ(question.defaultButton, "cmdOK");
    EXPECT_EQ(question.accessKeysUsedTwice, QStringList());
    EXPECT_FALSE(question.underWaitCursor);

    EXPECT_EQ(languagePairs(target), (QStringList{"en-US>de-DE", "en-US>ru-RU"}));
    const QList<ShownMessage> shown = MessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, kExported);
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);
}

TEST_F(FSourceLanguageTest, ReturnTakesThePreselectedFirstTickedLanguage) {
    const std::string target = targets_.path("Texte.xlf");
    readyToExport(target);
    Question question;
    watchQuestion(question, [](QWidget& dialog) {
        QTest::keyClick(&child<QComboBox>(dialog, "cboSourceLanguage"), Qt::Key_Return);
        if (dialog.isVisible()) {
            ADD_FAILURE() << "Return left the question open";
            dialog.close();
        }
    });
    exportNow();
    ASSERT_TRUE(question.asked);
    EXPECT_EQ(languagePairs(target), (QStringList{"de-DE>en-US", "de-DE>ru-RU"}));
    EXPECT_EQ(MessageBox::takeShown().size(), 1);
}

TEST_F(FSourceLanguageTest, TheAccessKeyLeadsToTheChoice) {
    readyToExport(targets_.path("Texte.xlf"));
    bool focused = false;
    test::onNextModal([&focused](QWidget& dialog) {
        auto& choice = child<QComboBox>(dialog, "cboSourceLanguage");
        EXPECT_EQ(child<QPushButton>(dialog, "cmdCancel").text(), "Abbrechen");
        child<QPushButton>(dialog, "cmdOK").setFocus();
        QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);
        focused = choice.hasFocus();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    exportNow();
    EXPECT_TRUE(focused);
}

TEST_F(FSourceLanguageTest, CancelAndEscExportNothingAndSayNothing) {
    const std::string target = targets_.path("Texte.xlf");
    readyToExport(target);
    const std::vector<std::uint8_t> earlier{'a', 'l', 't'};
    glossel::test::writeBytes(target, earlier);
    const std::function<void(QWidget&)> answers[] = {
        [](QWidget& dialog) {
            QTest::mouseClick(&child<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
        },
        [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
    };
    for (const auto& answer : answers) {
        Question question;
        watchQuestion(question, answer);
        exportNow();
        EXPECT_TRUE(question.asked);
        EXPECT_EQ(glossel::test::readBytes(target), earlier);
        EXPECT_TRUE(MessageBox::takeShown().isEmpty());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    std::filesystem::remove(target);
    Question question;
    watchQuestion(question, [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    exportNow();
    EXPECT_FALSE(std::filesystem::exists(target));
}

// Without a question the export itself says what an XLIFF document lacks; another kind, also
// ".XLF" in other letter case, is never asked about.
TEST_F(FSourceLanguageTest, AsksOnlyForAnXlfTargetWithTwoOrMoreLanguages) {
    projects_.add("Linie1");
    chooseProject("Linie1");
    const struct {
        std::vector<int> rows;
        const char* name;
        const char* reason;
    } cases[] = {
        {{1}, "Eine.xlf", "Zielsprache"},
        {{}, "Keine.xlf", "Ausgangssprache"},
        {{0, 1}, "Gross.XLF", "Endung"},
    };
    for (const auto& exported : cases) {
        SCOPED_TRACE(exported.name);
        for (const int row : exported.rows) {
            toggle(row);
        }
        const std::string target = targets_.path(exported.name);
        field("txtImportTVS").setText(QString::fromStdString(target));
        Question question;
        const QPointer<QTimer> watch = watchQuestion(
            question, [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        exportNow();
        delete watch.data();
        EXPECT_FALSE(question.asked);
        const QList<ShownMessage> shown = MessageBox::takeShown();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].text.startsWith("Fehler beim Exportieren einer Sprache!\n"));
        EXPECT_TRUE(shown[0].text.contains(exported.reason)) << shown[0].text.toStdString();
        EXPECT_FALSE(std::filesystem::exists(target));
        for (const int row : exported.rows) {
            toggle(row);
        }
    }
}

}  // namespace
}  // namespace glossel::forms
