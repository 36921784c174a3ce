// Check against LibreOffice (scripts/setup installs it; skipped where `soffice` is not on PATH):
// a workbook the engine wrote, converted to CSV by `soffice --headless --convert-to csv`, holds
// the rows written. LibreOffice runs with a profile of its own in the test's directory, so that
// it neither needs a home directory nor hands the job to an office the user has open.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"

namespace glossel::xls {
namespace {

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream directories(path ? path : "");
    for (std::string directory; std::getline(directories, directory, ':');) {
        if (::access((directory + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

// RFC 4180 records: fields unquoted, trailing empty fields dropped.
std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    const auto endField = [&] {
        rows.back().push_back(field);
        field.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\n') {
            endField();
            rows.emplace_back();
        } else if (c != '\r') {
            field += c;
        }
    }
    if (!field.empty() || !rows.back().empty()) {
        endField();
    } else {
        rows.pop_back();
    }
    for (auto& row : rows) {
        while (!row.empty() && row.back().empty()) {
            row.pop_back();
        }
    }
    return rows;
}

TEST(LibreOfficeCsv, ConvertedWorkbookHoldsTheWrittenRows) {
    if (!onPath("soffice")) {
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
    const std::string command =
        "cd '" + dir.path("") + "' && soffice -env:UserInstallation=file://" + dir.path("profile") +
        " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76'"
        " --outdir out Export.xls >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const auto bytes = test::readBytes(dir.path("out/Export.csv"));
    EXPECT_EQ(parseCsv(std::string(bytes.begin(), bytes.end())), expected);
}

}  // namespace
}  // namespace glossel::xls
