// Check against LibreOffice (scripts/setup installs it; skipped where `soffice` is not on PATH):
// a workbook the engine wrote, converted to CSV by `soffice --headless --convert-to csv`, holds
// the rows written.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/xls/Workbook.h"
#include "tests/OtherReaders.h"
#include "tests/TestFiles.h"

namespace glossel::xls {
namespace {

TEST(LibreOfficeCsv, ConvertedWorkbookHoldsTheWrittenRows) {
    if (!test::onPath("soffice")) {
        GTEST_SKIP() << "soffice is not on PATH";
    }
    test::TempDir dir;
    const std::string path = dir.path("Export.xls");
    std::filesystem::copy_file(test::dataPath("xls/Export.xls"), path);
    std::vector<std::vector<std::string>> expected{
        {"ID", "Description", "Sprache 1", "Sprache 2", "Sprache 3"}};
    {
        spreadsheet::WorkbookHandle workbook = openWorkbook(path);
        const std::vector<std::string> texts{
            "Привет, мир",       "Καλημέρα",         "日本語 中文",        "Smiley 😀",
            "Er sagt \"Hallo\"", "Zeile 1\nZeile 2", std::string(300, 'L')};
        for (int i = 0; i < 200; ++i) {
            const std::string text = texts[i % texts.size()] + " " + std::to_string(i);
            workbook->worksheet(0).appendRow(
                std::vector<CellValue>{static_cast<double>(i), text, Empty{}, text});
            expected.push_back({std::to_string(i), text, "", text});
        }
        workbook.close();
    }
    EXPECT_EQ(test::libreOfficeCsv(dir.path(""), "Export.xls"), expected);
}

}  // namespace
}  // namespace glossel::xls
