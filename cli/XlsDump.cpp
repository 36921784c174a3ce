// Listing and dumping worksheets through the workbook engine.
#include "cli/XlsDump.h"

#include <algorithm>

#include "cli/CsvFormat.h"
#include "platform/xls/WorkbookFile.h"

namespace glossel::cli {
namespace {

std::string csvCell(const xls::CellValue& value) {
    if (const auto* error = std::get_if<xls::CellError>(&value)) {
        return std::string(xls::errorText(*error));
    }
    return csvField(xls::toVariant(value));
}

}  // namespace

void listWorksheets(const std::string& path, std::ostream& out) {
    xls::WorkbookHandle workbook = xls::openWorkbook(path);
    for (const std::string& name : workbook->worksheetNames()) {
        out << name << '\n';
    }
    workbook.close();
}

void dumpWorksheet(const std::string& path, const std::string& sheet, std::ostream& out) {
    xls::WorkbookHandle workbook = xls::openWorkbook(path);
    const xls::Worksheet& worksheet = workbook->worksheet(sheet);
    const std::uint32_t columns = std::max<std::uint32_t>(worksheet.columnCount(), 1);
    std::string line;
    for (std::uint32_t column = 0; column < columns; ++column) {
        line += (column == 0 ? "" : ",") + csvQuoted("F" + std::to_string(column + 1));
    }
    out << line << '\n';
    for (std::uint32_t row = 0; row < worksheet.rowCount(); ++row) {
        line.clear();
        for (std::uint32_t column = 0; column < columns; ++column) {
            if (column > 0) {
                line += ',';
            }
            line += csvCell(worksheet.cell(row, column));
        }
        out << line << '\n';
    }
    workbook.close();
}

}  // namespace glossel::cli
