// The kinds of exchange file, selected by the extension of their path (exact letter case): a Jet
// database (.mdb), an Excel 97 workbook (.xls), an Office Open XML workbook (.xlsx) or an XLIFF
// 1.2 document for translation tools (.xlf). Each table kind names its template beside the
// program and how the database engine addresses the file; an XLIFF document is written fresh, by
// its own writer. Nothing else in the transfer tells the kinds apart.
#pragma once

#include <string>
#include <string_view>

#include "platform/spreadsheet/WorkbookFile.h"

namespace glossel::transfer {

struct ExchangeKind {
    std::string_view extension;     // "mdb", "xls", "xlsx", "xlf"
    std::string_view templateName;  // beside the program: "Export.xls"
    // The workbook driver of the links and of the repair: "Excel 5.0" and "Excel 8.0" for Excel
    // 97 workbooks; empty for a database.
    std::string_view linkDriver;
    std::string_view repairDriver;
    // The workbook engine's reader of the kind's files; nullptr for a database.
    spreadsheet::WorkbookReader reader;
    // An XLIFF document: no template, no link, no repair; one source and target languages.
    bool xliff = false;

    bool isWorkbook() const { return reader != nullptr; }
    // The connect string of the link TidxTemp to `path`: for a workbook with the first row read as
    // data (HDR=NO) or as the field names (HDR=YES).
    std::string linkConnect(const std::string& path, bool firstRowHoldsNames) const;
    // The connect string the repair opens the file with, and the one that reads the template's
    // first row as data.
    std::string repairConnect() const;
    std::string templateConnect() const;
    // The table the repair walks: "TidxTexts$" or "TidxTexts".
    std::string_view exchangeTable() const;
};

// The kind of that extension; nullptr for any other.
const ExchangeKind* exchangeKindOf(std::string_view extension);

// The extensions an exchange file may have, for messages: "\".xls\", \".xlsx\", \".mdb\" oder
// \".xlf\"".
std::string exchangeExtensionsText();

}  // namespace glossel::transfer
