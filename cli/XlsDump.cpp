// Listing and dumping worksheets through the workbook engine.
#include "cli/XlsDump.h"

#include <algorithm>
#include <cctype>

#include "cli/CsvFormat.h"
#include "platform/spreadsheet/WorkbookFile.h"
#include "platform/xls/Workbook.h"
#include "platform/xlsx/Workbook.h"

namespace glossel::cli {
namespace {

std::string lowerExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}

// An .xlsx file is read as Office Open XML, an .xls file as Excel 97.
spreadsheet::WorkbookHandle openByExtension(const std::string& path) {
    const bool officeOpenXml = lowerExtension(path) == "xlsx";
    return spreadsheet::openWorkbook(path,
                                     officeOpenXml ? &xlsx::readWorkbook : &xls::readWorkbook);
}

std::string csvCell(const spreadsheet::CellValue& value) {
    if (const auto* error = std::get_if<spreadsheet::CellError>(&value)) {
        return std::string(spreadsheet::errorText(*error));
    }
    return csvField(spreadsheet::toVariant(value));
}

}  // namespace

bool isWorkbookPath(const std::string& path) {
    const std::string extension = lowerExtension(path);
    return extension == "xls" || extension == "xlsx";
}

void listWorksheets(const std::string& path, std::ostream& out) {
    spreadsheet::WorkbookHandle workbook = openByExtension(path);
    for (const std::string& name : workbook->worksheetNames()) {
        out << name << '\n';
    }
    workbook.close();
}

void dumpWorksheet(const std::string& path, const std::string& sheet, std::ostream& out) {
    spreadsheet::WorkbookHandle workbook = openByExtension(path);
    const spreadsheet::Worksheet& worksheet = workbook->worksheet(sheet);
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
