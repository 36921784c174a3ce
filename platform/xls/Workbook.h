// An Excel 97-2003 workbook (.xls) in memory: its worksheets to read and change, and the whole
// file written back with everything it held that the engine does not interpret. Built from
// file bytes and turned back into file bytes; sheet/WorkbookFile.h ties it to a file on disk.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/spreadsheet/StreamBytes.h"
#include "platform/spreadsheet/Workbook.h"
#include "platform/spreadsheet/WorkbookFile.h"
#include "platform/xls/CompoundFile.h"
#include "platform/xls/Worksheet.h"

namespace glossel::xls {

struct WorkbookContent;

class Workbook : public spreadsheet::Workbook {
public:
    // Reads a workbook from the bytes of an .xls file; `path` names it in errors. Errors: 3343
    // no Excel 97-2003 workbook (no compound file, no Workbook stream, Excel 5.0/95); 3031
    // encrypted; 3049 damaged.
    static std::unique_ptr<Workbook> fromBytes(std::span<const std::uint8_t> bytes,
                                               const std::string& path);
    // The same, giving the file's bytes back as soon as its streams are taken out of them, so
    // that a big workbook is not held twice while it is read.
    static std::unique_ptr<Workbook> fromBytes(spreadsheet::StreamBytes&& bytes, const std::string& path);
    ~Workbook() override;
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // The bytes of the .xls file with the current content.
    std::vector<std::uint8_t> toBytes() const;
    void writeTo(std::FILE* file) const override;
    void dropUnusedTexts() override;

    const std::string& path() const override { return path_; }
    std::size_t worksheetCount() const override { return worksheets_.size(); }
    Worksheet& worksheet(std::size_t index) override;
    const Worksheet& worksheet(std::size_t index) const;
    Worksheet& worksheet(const std::string& name) override;
    std::vector<std::string> worksheetNames() const override;

    bool modified() const override;
    void markSaved() override;
    void reopenAs(std::string path) override;

private:
    Workbook(std::string path, CompoundEntry container, std::unique_ptr<WorkbookContent> content);
    static std::unique_ptr<Workbook> fromContainer(CompoundEntry container,
                                                   const std::string& path);

    std::string path_;
    CompoundEntry container_;  // the Workbook stream's bytes are dropped after reading
    CompoundEntry* workbookStream_;
    std::unique_ptr<WorkbookContent> content_;
    std::vector<Worksheet*> worksheets_;
};

// The reader of Excel 97-2003 workbooks, for spreadsheet::openWorkbook.
std::unique_ptr<spreadsheet::Workbook> readWorkbook(spreadsheet::StreamBytes&& bytes,
                                                    const std::string& path);
// Opens an Excel 97-2003 workbook file, as spreadsheet::openWorkbook does.
spreadsheet::WorkbookHandle openWorkbook(const std::string& path,
                                   spreadsheet::Access access = spreadsheet::Access::Shared);

}  // namespace glossel::xls
