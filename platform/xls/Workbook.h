// An Excel 97-2003 workbook (.xls) in memory: its worksheets to read and change, and the whole
// file written back with everything it held that the engine does not interpret. Built from
// file bytes and turned back into file bytes; WorkbookFile.h ties it to a file on disk.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/xls/CompoundFile.h"
#include "platform/xls/Worksheet.h"

namespace glossel::xls {

struct WorkbookContent;

class Workbook {
public:
    // Reads a workbook from the bytes of an .xls file; `path` names it in errors. Errors: 3343
    // no Excel 97-2003 workbook (no compound file, no Workbook stream, Excel 5.0/95); 3031
    // encrypted; 3049 damaged.
    static std::unique_ptr<Workbook> fromBytes(std::span<const std::uint8_t> bytes,
                                               const std::string& path);
    // The same, giving the file's bytes back as soon as its streams are taken out of them, so
    // that a big workbook is not held twice while it is read.
    static std::unique_ptr<Workbook> fromBytes(StreamBytes&& bytes, const std::string& path);
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // The bytes of the .xls file with the current content.
    std::vector<std::uint8_t> toBytes() const;
    // The same bytes written to `file` (left open); error 3043 when writing fails.
    void writeTo(std::FILE* file) const;
    // Frees the texts no cell shows any more (the ones cells held before they were changed), when
    // they are worth it, before the workbook is written.
    void dropUnusedTexts();

    const std::string& path() const { return path_; }
    // Worksheets in workbook order; charts and other sheet kinds are kept but not listed.
    std::size_t worksheetCount() const { return worksheets_.size(); }
    // Error 3265 past the last worksheet.
    Worksheet& worksheet(std::size_t index);
    const Worksheet& worksheet(std::size_t index) const;
    // The worksheet of that name, letter case ignored; error 3078 when there is none.
    Worksheet& worksheet(const std::string& name);
    std::vector<std::string> worksheetNames() const;

    // Whether a cell changed since reading or the last markSaved().
    bool modified() const;
    // After the content was written to the file: the workbook then stands for what a new read of
    // the file would give.
    void markSaved();
    // Takes up a saved workbook again for a new open of its file under `path`, as a read of the
    // file would give it: rows appended without cells are forgotten.
    void reopenAs(std::string path);

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

}  // namespace glossel::xls
