// The two list widgets as the transfer and catalogue code see them: the check-box list's order,
// item data and tick reports, and the report list's rows, selection and column fitting.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QSignalSpy>

#include "forms/LanguageListWidget.h"
#include "forms/ReportListWidget.h"
#include "platform/Error.h"
#include "tests/TestDatabase.h"

namespace glossel::forms {
namespace {

TEST(LanguageListWidgetTest, SortsByListOrderAndReportsOnlyTickChanges) {
    LanguageListWidget list;
    QSignalSpy reports(&list, &LanguageListWidget::ItemCheck);
    for (const char* text :
         {"Russisch [1049]", "deutsch [1031]", "Äthiopisch [1118]", "Zulu [1077]"}) {
        list.AddItem(text);
        list.SetItemData(list.NewIndex(), static_cast<std::int32_t>(list.NewIndex() + 100));
    }
    EXPECT_EQ(list.List(0), "Äthiopisch [1118]");
    EXPECT_EQ(list.List(1), "deutsch [1031]");
    EXPECT_EQ(list.List(3), "Zulu [1077]");
    EXPECT_EQ(list.NewIndex(), 3);
    EXPECT_EQ(reports.count(), 0);

    list.SetSelected(2, true);
    list.SetSelected(2, true);
    list.SetItemData(2, 7);
    ASSERT_EQ(reports.count(), 1);
    EXPECT_EQ(reports.front().front().toInt(), 2);
    EXPECT_TRUE(list.Selected(2));
    EXPECT_EQ(list.ItemData(2), 7);

    EXPECT_EQ(test::errorNumberOf([&] { list.Selected(4); }), err::kInvalidArgument);
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.NewIndex(), -1);
}

TEST(ReportListWidgetTest, RowsKeysSelectionAndFitting) {
    ReportListWidget list({"Name", "Verzeichnis", "Typ"});
    list.resize(400, 200);
    projects::ListViewItem& first = list.ListItems().Add("S:linie1", "Linie1");
    first.SetSubItems(1, "/projekte/ein/sehr/langes/verzeichnis/mit/vielen/teilen");
    first.SetSubItems(2, "Single");
    list.ListItems().Add("S:linie2", "Linie2");
    EXPECT_EQ(test::errorNumberOf([&] { list.ListItems().Add("S:linie1", "LINIE1"); }),
              projects::kKeyNotUnique);
    EXPECT_EQ(test::errorNumberOf([&] { first.SubItems(3); }), projects::kIndexOutOfBounds);
    EXPECT_EQ(test::errorNumberOf([&] { list.ListItems().Item(3); }), projects::kIndexOutOfBounds);

    EXPECT_EQ(list.SelectedItem(), nullptr);
    list.ListItems().Item(2).SetSelected(true);
    ASSERT_NE(list.SelectedItem(), nullptr);
    EXPECT_EQ(list.SelectedItem()->Text(), "Linie2");
    list.SelectedItem()->SetSelected(false);
    EXPECT_EQ(list.SelectedItem(), nullptr);

    list.FitColumnWidth(0, projects::ColumnFit::Content);
    list.FitColumnWidth(1, projects::ColumnFit::Content);
    list.FitColumnWidth(2, projects::ColumnFit::ContentAndHeader);
    EXPECT_LT(list.columnWidth(0), list.columnWidth(1));
    EXPECT_GE(list.columnWidth(2), list.header()->sectionSizeHint(2));
    EXPECT_EQ(test::errorNumberOf([&] { list.FitColumnWidth(3, projects::ColumnFit::Content); }),
              projects::kIndexOutOfBounds);
}

}  // namespace
}  // namespace glossel::forms
