// Inputs that once crashed the engine under the fuzzer (tests/data/xls/crashes): each must now
// open, read, write and read back, or end in a glossel::Error.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Error.h"
#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"

namespace glossel::xls {
namespace {

// Through the rows that hold cells: a damaged sheet may reach row 65,536 and column IV.
void readEveryCell(const Workbook& workbook) {
    for (std::size_t s = 0; s < workbook.worksheetCount(); ++s) {
        const Worksheet& sheet = workbook.worksheet(s);
        for (const auto& [row, entry] : sheet.content().rows) {
            for (const Cell& cell : entry.cells) {
                sheet.cell(row, cell.column);
            }
        }
    }
}

TEST(CrashInputs, EndInSuccessOrAnError) {
    const std::filesystem::path directory = test::dataPath("xls/crashes");
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        if (entry.path().extension() == ".md") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        ++inputs;
        try {
            const auto workbook = Workbook::fromBytes(test::readBytes(entry.path()), "crash.xls");
            readEveryCell(*workbook);
            if (workbook->worksheetCount() > 0) {
                workbook->worksheet(0).setCell(0, 0, std::string("x"));
            }
            readEveryCell(*Workbook::fromBytes(workbook->toBytes(), "crash-out.xls"));
        } catch (const Error&) {
        }
    }
    if (inputs == 0) {
        GTEST_SKIP() << "no crashing input recorded in " << directory;
    }
}

}  // namespace
}  // namespace glossel::xls
