// FileTools.ShowSaveDialog below the windows: the filter text it hands to the dialog, and its
// errors where the program has no dialog or the arguments are wrong.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/systools/FileTools.h"
#include "platform/systools/SaveDialog.h"
#include "tests/TestDatabase.h"

namespace glossel::systools {
namespace {

using glossel::test::errorNumberOf;

constexpr char kFilter[] =
    "Excel-Dateien (*.xls)|*.xls|Datenbankdateien (*.mdb)|*.mdb|Alle Dateien (*.*)|*.*";

class AnsweringDialog : public SaveDialog {
public:
    std::string show(const SaveDialogRequest& request) override {
        asked = request;
        return "/tmp/Texte.xls";
    }
    SaveDialogRequest asked;
};

TEST(SaveDialogTest, HandsTitleFiltersAndOwnerToTheDialog) {
    AnsweringDialog dialog;
    const FileTools tools(&dialog);
    EXPECT_EQ(tools.ShowSaveDialog(2, "Exportieren in", "", kFilter, 4, 42), "/tmp/Texte.xls");
    EXPECT_EQ(dialog.asked.title, "Exportieren in");
    EXPECT_EQ(dialog.asked.owner, 42u);
    ASSERT_EQ(dialog.asked.filters.size(), 3u);
    EXPECT_EQ(dialog.asked.filters[1].description, "Datenbankdateien (*.mdb)");
    EXPECT_EQ(dialog.asked.filters[1].patterns, "*.mdb");
    EXPECT_EQ(dialog.asked.filters[2].patterns, "*.*");
}

TEST(SaveDialogTest, RefusesWhatItCannotShow) {
    AnsweringDialog dialog;
    const FileTools tools(&dialog);
    EXPECT_EQ(errorNumberOf([&] { tools.ShowSaveDialog(1, "T", "", kFilter, 4, 0); }),
              err::kInvalidArgument);
    EXPECT_EQ(errorNumberOf([&] { tools.ShowSaveDialog(2, "T", "", "Excel|*.xls|Alle", 4, 0); }),
              err::kInvalidArgument);
    EXPECT_EQ(errorNumberOf([&] { tools.ShowSaveDialog(2, "T", "", "Excel||Alle|*", 4, 0); }),
              err::kInvalidArgument);
    EXPECT_EQ(errorNumberOf([] { FileTools().ShowSaveDialog(2, "T", "", kFilter, 4, 0); }),
              err::kInvalidOperation);
    EXPECT_TRUE(parseFileFilter("").empty());
}

}  // namespace
}  // namespace glossel::systools
