// libFuzzer target: opens mutated bytes as an .xlsx package, reads every cell of every worksheet,
// sets a few cells (texts XML cannot carry as they are among them), writes the package and reads
// it back. Damage must surface as glossel::Error, never as a crash, hang or stray read; and what
// the engine writes it must read back with the same cells. Seed with .xlsx files.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/xlsx/Workbook.h"

namespace {

using glossel::spreadsheet::CellValue;
using glossel::spreadsheet::StreamBytes;
using glossel::xlsx::Workbook;

// Every cell of every worksheet, through the rows that hold cells; numbers by their bits.
std::vector<std::string> allCells(Workbook& workbook) {
    std::vector<std::string> cells;
    for (std::size_t s = 0; s < workbook.worksheetCount(); ++s) {
        auto& sheet = workbook.worksheet(s);
        cells.push_back(sheet.name() + "|" + std::to_string(sheet.rowCount()) + "|" +
                        std::to_string(sheet.columnCount()));
        for (const auto& [row, entry] : sheet.part().rows) {
            for (const auto& cell : entry.cells) {
                const CellValue value = sheet.cell(row, cell.column);
                std::string text = std::to_string(row) + ":" + std::to_string(cell.column) + "|" +
                                   std::to_string(value.index()) + "|";
                if (const auto* number = std::get_if<double>(&value)) {
                    text += std::to_string(std::bit_cast<std::uint64_t>(*number));
                } else if (const auto* string = std::get_if<std::string>(&value)) {
                    text += *string;
                }
                cells.push_back(text);
            }
        }
    }
    return cells;
}

void edit(Workbook& workbook) {
    if (workbook.worksheetCount() == 0) {
        return;
    }
    auto& sheet = workbook.worksheet(std::size_t{0});
    try {
        sheet.setCell(0, 2, std::string("L1031 _x0041_\r\n\x01"));
        sheet.appendRow(std::vector<CellValue>{0.0, std::string(" neu "), true});
    } catch (const glossel::Error&) {
    }
}

std::unique_ptr<Workbook> read(StreamBytes bytes, const char* name) {
    return Workbook::fromBytes(std::move(bytes), name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<Workbook> workbook;
    try {
        workbook = read(StreamBytes(data, data + size), "fuzz.xlsx");
    } catch (const glossel::Error&) {
        return 0;
    }
    allCells(*workbook);
    edit(*workbook);
    const auto expected = allCells(*workbook);
    std::FILE* file = std::tmpfile();
    if (!file) {
        return 0;
    }
    try {
        workbook->writeTo(file);
    } catch (const glossel::Error&) {
        std::fclose(file);
        return 0;
    }
    StreamBytes written(static_cast<std::size_t>(ftello(file)));
    std::rewind(file);
    const std::size_t got = std::fread(written.data(), 1, written.size(), file);
    std::fclose(file);
    written.resize(got);
    auto again = read(std::move(written), "fuzz-out.xlsx");
    if (allCells(*again) != expected) {
        std::abort();
    }
    return 0;
}
