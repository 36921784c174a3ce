// Every workbook of the fixtures (the template and files written by Excel): the engine reads
// what xlrd reads (and what the fixture's JSON says), and the exporter's edit changes only the
// cells it writes: other sheets, XF indexes, column widths, side streams and every record the
// engine does not rebuild stay as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "platform/xls/BiffFormat.h"
#include "platform/xls/CompoundFile.h"
#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"
#include "tests/platform/xls/XlsTestSupport.h"

namespace glossel::xls {
namespace {

std::vector<std::string> fixtures() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(test::dataPath("xls"))) {
        if (entry.path().extension() == ".xls" &&
            entry.path().parent_path().filename() != "crashes") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The exporter's edit on the first worksheet: new texts in C1..E1, every text of column B
// replaced, 200 rows appended.
void applyExportEdit(Workbook& workbook) {
    Worksheet& sheet = workbook.worksheet(0);
    for (std::uint32_t column = 2; column < 5; ++column) {
        sheet.setCell(0, column, "Sprache " + std::to_string(column) + " – язык");
    }
    for (std::uint32_t row = 0; row < sheet.rowCount(); ++row) {
        if (std::holds_alternative<std::string>(sheet.cell(row, 1))) {
            sheet.setCell(row, 1, test::sampleText(row));
        }
    }
    for (std::size_t i = 0; i < 200; ++i) {
        const std::vector<CellValue> values{static_cast<double>(i), test::sampleText(i),
                                            test::sampleText(i + 1), Empty{},
                                            test::sampleText(i + 3)};
        sheet.appendRow(values);
    }
}

// Records as (id, data) with their CONTINUEs, leaving out those the writer rebuilds.
std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>> keptRecords(
    const std::vector<std::uint8_t>& stream) {
    static const std::set<std::uint16_t> rebuilt{
        id::kSst,   id::kExtSst,   id::kIndex,    id::kDbCell,  id::kDimensions,
        id::kRow,   id::kLabelSst, id::kLabel,    id::kNumber,  id::kRk,
        id::kMulRk, id::kBlank,    id::kMulBlank, id::kBoolErr, id::kBoundSheet};
    std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>> kept;
    bool skipping = false;
    for (const auto& record : test::walkStream(stream)) {
        if (record.id != id::kContinue) {
            skipping = rebuilt.count(record.id) > 0;
        }
        if (!skipping) {
            kept.emplace_back(record.id, std::vector<std::uint8_t>(
                                             stream.begin() + record.position + 4,
                                             stream.begin() + record.position + 4 + record.size));
        }
    }
    return kept;
}

void expectSameEntries(const CompoundEntry& before, const CompoundEntry& after) {
    EXPECT_EQ(before.classId, after.classId) << before.name;
    ASSERT_EQ(before.children.size(), after.children.size()) << before.name;
    for (const CompoundEntry& child : before.children) {
        const auto match =
            std::find_if(after.children.begin(), after.children.end(),
                         [&](const CompoundEntry& c) { return c.name == child.name; });
        ASSERT_NE(match, after.children.end()) << child.name;
        if (child.isStorage) {
            expectSameEntries(child, *match);
        } else if (child.name != "Workbook") {
            EXPECT_EQ(child.bytes, match->bytes) << child.name;
        }
    }
}

test::Listing::const_iterator otherSheets(const test::Listing& listing) {
    return std::find_if(listing.begin() + 1, listing.end(),
                        [](const std::string& line) { return line[0] == 'S'; });
}

// The first sheet's cells (row and column → XF) and COLINFO lines of a listing.
struct EditedSheet {
    std::map<std::string, std::string> xfByCell;
    std::set<std::string> widths;
};

EditedSheet editedSheet(const test::Listing& listing) {
    EditedSheet sheet;
    for (auto line = listing.begin() + 1; line != otherSheets(listing); ++line) {
        std::vector<std::string> fields;
        std::istringstream in(*line);
        for (std::string field; std::getline(in, field, '\t');) {
            fields.push_back(field);
        }
        if (fields[0] == "C") {
            sheet.xfByCell[fields[1] + ":" + fields[2]] = fields[4];
        } else {
            sheet.widths.insert(*line);
        }
    }
    return sheet;
}

class FixtureEdit : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        std::filesystem::copy_file(GetParam(), path_);
        before_ = test::xlrdListing(path_);
        spreadsheet::WorkbookHandle workbook = openWorkbook(path_);
        test::expectSameListing(test::engineListing(test::biff8(workbook)), before_);
        applyExportEdit(test::biff8(workbook));
        edited_ = test::engineListing(test::biff8(workbook));
        workbook.close();
    }

    test::TempDir dir_;
    std::string path_ = dir_.path("fixture.xls");
    test::Listing before_;
    test::Listing edited_;
};

TEST_P(FixtureEdit, XlrdReadsTheEditAsTheEngineMadeIt) {
    test::expectSameListing(test::xlrdListing(path_), edited_);
}

TEST_P(FixtureEdit, OtherSheetsFormatsAndWidthsStay) {
    const test::Listing after = test::xlrdListing(path_);
    EXPECT_EQ(test::Listing(otherSheets(after), after.cend()),
              test::Listing(otherSheets(before_), before_.cend()));
    const EditedSheet old = editedSheet(before_);
    const EditedSheet now = editedSheet(after);
    EXPECT_EQ(now.widths, old.widths);
    for (const auto& [cell, xf] : old.xfByCell) {
        EXPECT_EQ(now.xfByCell.at(cell), xf) << "cell " << cell;
    }
}

TEST_P(FixtureEdit, SideStreamsClassIdsAndUnrebuiltRecordsStay) {
    const auto original = test::readBytes(GetParam());
    const auto written = test::readBytes(path_);
    expectSameEntries(readCompoundFile(original, "before"), readCompoundFile(written, "after"));
    EXPECT_EQ(keptRecords(test::workbookStream(written)),
              keptRecords(test::workbookStream(original)));
    test::expectConsistentPositions(test::workbookStream(written));
}

TEST(FixtureRead, EngineMatchesEveryExpectedJson) {
    int compared = 0;
    for (const std::string& file : fixtures()) {
        const std::string json = file.substr(0, file.size() - 4) + ".json";
        if (std::filesystem::exists(json)) {
            SCOPED_TRACE(file);
            const auto workbook = Workbook::fromBytes(test::readBytes(file), file);
            test::expectSameListing(test::engineListing(*workbook, false),
                                    test::expectedListing(json));
            ++compared;
        }
    }
    EXPECT_GE(compared, 2);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureEdit, testing::ValuesIn(fixtures()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = std::filesystem::path(info.param).stem().string();
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                                 '_');
                             return name;
                         });

}  // namespace
}  // namespace glossel::xls
