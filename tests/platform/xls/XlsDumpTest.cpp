// glossel-cli's worksheet dump: the header F1 … Fn, every row down to the last used one in its
// place, and each kind of cell in the form of the Jet dump.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/XlsDump.h"
#include "platform/Error.h"
#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"

namespace glossel::cli {
namespace {

TEST(XlsDump, EveryKindOfCellInItsPlace) {
    test::TempDir dir;
    const std::string path = dir.path("dump.xls");
    std::filesystem::copy_file(test::dataPath("xls/Export.xls"), path);
    {
        spreadsheet::WorkbookHandle workbook = xls::openWorkbook(path);
        spreadsheet::Worksheet& sheet = workbook->worksheet(0);
        using V = std::vector<spreadsheet::CellValue>;
        sheet.appendRow(
            V{0.0, std::string("Er sagt \"Hallo\""), 1.5, true, spreadsheet::CellError::DivisionByZero});
        sheet.appendRow(V{});
        sheet.appendRow(V{0.1, 1e-7, 45000.25, false, spreadsheet::CellError::NotAvailable});
        sheet.appendRow(V{-3.0, std::string(), spreadsheet::Empty{}, 123456789012.0, spreadsheet::CellError::Name});
        workbook.close();
    }
    std::ostringstream out;
    dumpWorksheet(path, "tidxtexts", out);
    EXPECT_EQ(out.str(),
              "\"F1\",\"F2\",\"F3\",\"F4\",\"F5\"\n"
              "\"ID\",\"Description\",\"Sprache 1\",\"Sprache 2\",\"Sprache 3\"\n"
              "0,\"Er sagt \"\"Hallo\"\"\",1.5,TRUE,#DIV/0!\n"
              ",,,,\n"
              "0.1,0.0000001,45000.25,FALSE,#N/A\n"
              "-3,\"\",,123456789012,#NAME?\n");
}

TEST(XlsDump, EmptySheetPrintsItsHeaderOnly) {
    std::ostringstream out;
    dumpWorksheet(test::dataPath("xls/real/excel_poi_29982.xls"), "Plan2", out);
    EXPECT_EQ(out.str(), "\"F1\"\n");
}

TEST(XlsDump, ListsWorksheetsInWorkbookOrder) {
    std::ostringstream out;
    listWorksheets(test::dataPath("xls/real/excel_xlrd_xf_class.xls"), out);
    EXPECT_EQ(out.str(), "table1\ntable2\ntable3\n");
}

TEST(XlsDump, UnknownSheetIsAnInputTableError) {
    std::ostringstream out;
    try {
        dumpWorksheet(test::dataPath("xls/Export.xls"), "Fehlt", out);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), err::kInputTableNotFound);
        EXPECT_NE(error.description().find("Fehlt"), std::string::npos);
    }
}

}  // namespace
}  // namespace glossel::cli
