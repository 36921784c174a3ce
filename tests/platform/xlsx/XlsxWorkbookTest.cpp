// The Office Open XML engine: what it writes it reads back as it was, also texts that XML cannot
// carry as they are, and openpyxl reads the same; every hostile package ends in a clear error
// that names the file (and the part, where one is at fault), quickly and without a crash.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/spreadsheet/FileAccess.h"
#include "platform/xlsx/Workbook.h"
#include "platform/xlsx/XmlText.h"
#include "tests/OtherReaders.h"
#include "tests/TestFiles.h"

namespace glossel::xlsx {
namespace {

using spreadsheet::CellValue;

std::unique_ptr<Workbook> readFile(const std::string& path) {
    return Workbook::fromBytes(std::move(spreadsheet::readWholeFile(path, path).bytes), path);
}

void writeFile(const Workbook& workbook, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    workbook.writeTo(file);
    std::fclose(file);
}

const std::vector<std::string> kTexts = {
    "Zeile 1\r\nZeile 2",       // CR LF comes back as CR LF
    " führende und folgende ",  // white space at both ends
    "Wert _x0041_ bleibt",      // looks like an escape
    std::string("Steuer\x01zeichen\x1f") + "\t",
    "Klammern <&> \"Anführung\"",
    "Русский, 日本語, 😀",
};

TEST(XlsxWorkbook, WrittenTextsReadBackAsTheyWere) {
    test::TempDir dir;
    const std::string path = dir.path("Texte.xlsx");
    {
        auto workbook = readFile(test::dataPath("../../resources/Export.xlsx"));
        auto& sheet = workbook->worksheet("TidxTexts");
        for (std::size_t i = 0; i < kTexts.size(); ++i) {
            sheet.appendRow(std::vector<CellValue>{double(i + 1), kTexts[i], true});
        }
        sheet.setCell(0, 2, std::string("L1031"));
        writeFile(*workbook, path);
    }
    auto reread = readFile(path);
    const auto& sheet = reread->worksheet(std::size_t{0});
    EXPECT_EQ(sheet.rowCount(), kTexts.size() + 1);
    EXPECT_EQ(sheet.cell(0, 2), CellValue(std::string("L1031")));
    EXPECT_EQ(sheet.cell(0, 3), CellValue(std::string("Sprache 2")));
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        const auto row = static_cast<std::uint32_t>(i + 1);
        EXPECT_EQ(sheet.cell(row, 0), CellValue(double(i + 1)));
        EXPECT_EQ(sheet.cell(row, 1), CellValue(kTexts[i])) << i;
        EXPECT_EQ(sheet.cell(row, 2), CellValue(true));
    }
}

// Beyond the rows an Excel 97 workbook takes, a sheet part of many pieces deflated apart: it
// reads back whole, and Python's zipfile (zlib's inflate, the CRCs) and openpyxl agree.
TEST(XlsxWorkbook, ManyRowsDeflatedInPiecesReadBackWhole) {
    constexpr std::uint32_t kRows = 70000;
    const auto textOf = [](std::uint32_t row) {
        return "Meldung " + std::to_string(row * 7919u % 100003u) + " " +
               kTexts[row % kTexts.size()];
    };
    test::TempDir dir;
    const std::string path = dir.path("Viele.xlsx");
    {
        auto workbook = readFile(test::dataPath("../../resources/Export.xlsx"));
        auto& sheet = workbook->worksheet("TidxTexts");
        for (std::uint32_t row = 1; row <= kRows; ++row) {
            sheet.appendRow(std::vector<CellValue>{double(row), textOf(row)});
        }
        writeFile(*workbook, path);
    }
    auto reread = readFile(path);
    const auto& sheet = reread->worksheet(std::size_t{0});
    ASSERT_EQ(sheet.rowCount(), kRows + 1);
    for (std::uint32_t row = 1; row <= kRows; ++row) {
        ASSERT_EQ(sheet.cell(row, 1), CellValue(textOf(row))) << row;
    }
    const std::string command =
        "/usr/bin/python3 -c 'import sys, zipfile, openpyxl\n"
        "assert zipfile.ZipFile(sys.argv[1]).testzip() is None\n"
        "rows = list(openpyxl.load_workbook(sys.argv[1], read_only=True).active.values)\n"
        "print(len(rows), int(rows[-1][0]))' " +
        path;
    EXPECT_EQ(test::commandOutput(command),
              std::to_string(kRows + 1) + " " + std::to_string(kRows) + "\n");
}

TEST(XlsxWorkbook, EscapesAsExcelWritesThem) {
    std::string out;
    appendEscapedText(out, "a\r\nb_x0041_\x01<&>");
    EXPECT_EQ(out, "a_x000D_\nb_x005F_x0041__x0001_&lt;&amp;&gt;");
    EXPECT_EQ(decodeEscapes("a_x000d__x000A_b_x005F_x0041__xD83D__xDE00__x12"),
              "a\r\nb_x0041_😀_x12");
}

TEST(XlsxWorkbook, HostilePackagesAreRefusedQuicklyNamingFileAndPart) {
    const std::filesystem::path hostile = test::dataPath("xlsx/hostile");
    int refused = 0;
    for (const auto& entry : std::filesystem::directory_iterator(hostile)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".xlsx" || name == "valid.xlsx") {
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        try {
            readFile(entry.path().string());
            ADD_FAILURE() << name << " was read";
        } catch (const Error& error) {
            EXPECT_TRUE(error.number() == err::kDamaged ||
                        error.number() == err::kUnrecognisedFormat)
                << name << ": " << error.number();
            EXPECT_NE(error.description().find(name), std::string::npos) << error.description();
            if (error.number() == err::kDamaged && name.rfind("zip64", 0) != 0) {
                EXPECT_NE(error.description().find("Teil '"), std::string::npos)
                    << error.description();
            }
            ++refused;
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << name;
    }
    EXPECT_GE(refused, 20);
    EXPECT_NO_THROW(readFile((hostile / "valid.xlsx").string()));
}

}  // namespace
}  // namespace glossel::xlsx
