// A workbook as the engine holds it between reading and writing, whatever file format it came
// from: its worksheets to read and change, and the whole file written back with everything it
// held that the engine does not interpret.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/spreadsheet/Worksheet.h"

namespace glossel::spreadsheet {

class Workbook {
public:
    virtual ~Workbook() = default;

    virtual const std::string& path() const = 0;
    // Worksheets in workbook order; charts and other sheet kinds are kept but not listed.
    virtual std::size_t worksheetCount() const = 0;
    // Error 3265 past the last worksheet.
    virtual Worksheet& worksheet(std::size_t index) = 0;
    // The worksheet of that name, letter case ignored; error 3078 when there is none.
    virtual Worksheet& worksheet(const std::string& name) = 0;
    virtual std::vector<std::string> worksheetNames() const = 0;

    // The file's bytes with the current content, written to `file` (left open); error 3043
    // when writing fails.
    virtual void writeTo(std::FILE* file) const = 0;
    // Frees what no cell shows any more (texts cells held before they were changed), when it is
    // worth it, before the workbook is written.
    virtual void dropUnusedTexts() = 0;

    // Whether a cell changed since reading or the last markSaved().
    virtual bool modified() const = 0;
    // After the content was written to the file: the workbook then stands for what a new read of
    // the file would give.
    virtual void markSaved() = 0;
    // Takes up a saved workbook again for a new open of its file under `path`, as a read of the
    // file would give it: rows appended without cells are forgotten.
    virtual void reopenAs(std::string path) = 0;
};

}  // namespace glossel::spreadsheet
