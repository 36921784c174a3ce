// What the engine writes into an .xlsx workbook, as LibreOffice and SheetJS read it: both decode
// the escapes (CR, control characters, a literal "_x0041_"), keep blanks at the ends and read
// numbers, booleans and texts of every script, up to the longest a cell takes, as written.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/spreadsheet/FileAccess.h"
#include "platform/xlsx/Workbook.h"
#include "tests/OtherReaders.h"
#include "tests/TestFiles.h"

namespace glossel::xlsx {
namespace {

using spreadsheet::CellValue;

const std::vector<std::string> kTexts = {
    "Zeile 1\r\nZeile 2",         " führende und folgende ",    "Wert _x0041_ bleibt",
    "Steuer\x01zeichen\x1f\tTab", "Klammern <&> \"Anführung\"", "Русский, Ελληνικά, 日本語, 😀",
    std::string(32767, 'L'),
};

// The template with a row per text: ID, text, TRUE.
std::string writtenWorkbook(const test::TempDir& dir) {
    const std::string path = dir.path("Geschrieben.xlsx");
    const std::string templatePath = test::dataPath("../../resources/Export.xlsx");
    auto workbook = Workbook::fromBytes(
        std::move(spreadsheet::readWholeFile(templatePath, templatePath).bytes), templatePath);
    auto& sheet = workbook->worksheet("TidxTexts");
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        sheet.appendRow(std::vector<CellValue>{double(i + 1), kTexts[i], true});
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    workbook->writeTo(file);
    std::fclose(file);
    return path;
}

std::string hex(const std::string& text) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : text) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
}

TEST(XlsxOtherReaders, LibreOfficeReadsTheWrittenTexts) {
    if (!test::onPath("soffice")) {
        GTEST_SKIP() << "soffice is not on PATH";
    }
    test::TempDir dir;
    writtenWorkbook(dir);
    const auto rows = test::libreOfficeCsv(dir.path(""), "Geschrieben.xlsx");
    ASSERT_EQ(rows.size(), kTexts.size() + 1);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"ID", "Description", "Sprache 1", "Sprache 2",
                                                 "Sprache 3"}));
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        // A cell of LibreOffice's holds line breaks as LF alone: the CR it decoded is dropped.
        std::string text = kTexts[i];
        if (const auto cr = text.find("\r\n"); cr != std::string::npos) {
            text.erase(cr, 1);
        }
        EXPECT_EQ(rows[i + 1], (std::vector<std::string>{std::to_string(i + 1), text, "TRUE"}))
            << i;
    }
}

TEST(XlsxOtherReaders, SheetJsReadsTheWrittenCells) {
    test::TempDir dir;
    const std::string path = writtenWorkbook(dir);
    const std::string listing = test::commandOutput(
        "node " + test::dataPath("../oracles/sheetjs_cells.mjs") + " '" + path + "'");
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        const std::string row = std::to_string(i + 1) + "\t";
        expected.push_back(row + "0\tn\t" + hex(std::to_string(i + 1)));
        expected.push_back(row + "1\ts\t" + hex(kTexts[i]));
        expected.push_back(row + "2\tb\t" + hex("true"));
    }
    std::vector<std::string> cells;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("0\t")) {
            cells.push_back(line);
        }
    }
    EXPECT_EQ(cells, expected);
}

}  // namespace
}  // namespace glossel::xlsx
