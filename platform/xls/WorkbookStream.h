// The Workbook stream in memory: the globals' records in their order with the places of the
// string table and the BOUNDSHEET records, the shared strings, the cell formats, and one entry
// per sheet. Worksheets are read into the cell model; other sheets (charts, macro sheets, VB
// modules) stay as read and only have their INDEX positions moved when written elsewhere.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/xls/Record.h"
#include "platform/xls/RecordWriter.h"
#include "platform/xls/SheetContent.h"
#include "platform/xls/SheetRecords.h"
#include "platform/spreadsheet/StringTable.h"
#include "platform/xls/Worksheet.h"

namespace glossel::xls {

struct GlobalsItem {
    enum class Kind { Raw, BoundSheet, StringTable };
    Kind kind = Kind::Raw;
    Record record;          // Raw and BoundSheet: as read
    std::size_t sheet = 0;  // BoundSheet: index into WorkbookContent::sheets
};

struct SheetEntry {
    BoundSheetRecord boundSheet;
    std::unique_ptr<Worksheet> worksheet;  // worksheets
    std::vector<Record> records;           // other sheets, BOF … EOF as read
};

struct WorkbookContent {
    std::vector<GlobalsItem> globals;
    bool hadStringTable = false;  // else the SST is written only when a cell holds text
    StringTable strings;
    CellFormats formats;
    std::vector<SheetEntry> sheets;
};

// Reads the stream; `path` names the file in errors. The content stays at its address: the
// worksheets refer to its strings and formats.
std::unique_ptr<WorkbookContent> readWorkbookStream(std::span<const std::uint8_t> stream,
                                                    const std::string& path);

// Gives up the texts of string-table entries no cell shows any more, once they are a sizeable
// part of the table; they would not be written anyway.
void dropUnusedStrings(WorkbookContent& content);

// Hands the stream to `put` in pieces, in order.
void writeWorkbookStream(const WorkbookContent& content, const HandOn& put);
// The whole stream at once.
Bytes writeWorkbookStream(const WorkbookContent& content);

}  // namespace glossel::xls
