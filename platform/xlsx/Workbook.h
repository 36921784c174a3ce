// An Office Open XML workbook (.xlsx) in memory: its worksheets to read and change, and the
// package written back with every part it held. Worksheet parts and the shared strings part are
// rewritten from the cell model; every other part (styles, theme, other sheets, defined names,
// document properties) is copied byte for byte as the file stored it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/spreadsheet/StreamBytes.h"
#include "platform/spreadsheet/StringTable.h"
#include "platform/spreadsheet/Workbook.h"
#include "platform/xlsx/SharedStrings.h"
#include "platform/xlsx/Worksheet.h"
#include "platform/xlsx/ZipReader.h"

namespace glossel::xlsx {

class Workbook : public spreadsheet::Workbook {
public:
    // Reads a workbook from the bytes of an .xlsx file; `path` names it in errors. Errors: 3343
    // no Office Open XML workbook (no zip, no workbook part), 3049 damaged or beyond the limits
    // an untrusted file is held to.
    static std::unique_ptr<Workbook> fromBytes(spreadsheet::StreamBytes&& bytes,
                                               const std::string& path);
    ~Workbook() override;

    void writeTo(std::FILE* file) const override;
    void dropUnusedTexts() override;

    const std::string& path() const override { return path_; }
    std::size_t worksheetCount() const override { return sheets_.size(); }
    Worksheet& worksheet(std::size_t index) override;
    Worksheet& worksheet(const std::string& name) override;
    std::vector<std::string> worksheetNames() const override;

    bool modified() const override;
    void markSaved() override;
    void reopenAs(std::string path) override;

private:
    struct SheetEntry {
        const ZipEntry* part;
        std::unique_ptr<Worksheet> worksheet;
    };

    Workbook(std::string path, spreadsheet::StreamBytes&& bytes);
    void read();
    // Per string-table entry whether a cell shows it, and how many cells show one.
    std::vector<bool> usedTexts(std::uint64_t& references) const;

    std::string path_;
    spreadsheet::StreamBytes package_;  // the file as read: unchanged parts are copied from it
    std::unique_ptr<ZipReader> zip_;
    spreadsheet::StringTable strings_;
    const ZipEntry* sharedStringsEntry_ = nullptr;
    SharedStringsPart sharedStrings_;
    std::vector<SheetEntry> sheets_;
};

// The reader of Office Open XML workbooks, for spreadsheet::openWorkbook.
std::unique_ptr<spreadsheet::Workbook> readWorkbook(spreadsheet::StreamBytes&& bytes,
                                                    const std::string& path);

}  // namespace glossel::xlsx
