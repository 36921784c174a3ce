// Workbooks opened from files, shared within the process, whatever their file format: the caller
// names the reader of the format it expects. Every open of the same file (same
// canonical path) while a handle to it is alive gets the same in-memory workbook, so a later
// open sees every earlier change. Changes stay in memory until written: flush() writes at once,
// close() of the last open handle writes if anything changed. Writing replaces the file safely
// (FileAccess.h). A handle dropped without close() writes nothing: the file stays as it was.
//
// The workbook closed last stays in memory after its close() and is taken up again by the next
// open of its file, as long as the file is still the one it read or wrote (FileStamp); a file
// changed by anyone else is read anew. So the steps of an export that each open and close the
// file read it only once, while every close still leaves the whole file on disk.
//
// An exclusive open (DAO's Options = True) fails with error 3045 while any other handle to the
// file is open, and while it is open every other open of the file fails with 3045.
#pragma once

#include <memory>
#include <string>

#include "platform/spreadsheet/StreamBytes.h"
#include "platform/spreadsheet/Workbook.h"

namespace glossel::spreadsheet {

enum class Access { Shared, Exclusive };

// Reads a workbook of one file format from the file's bytes, which it takes over; `path` names
// it in errors. Error 3343 when the bytes are no workbook of that format.
using WorkbookReader = std::unique_ptr<Workbook> (*)(StreamBytes&& bytes, const std::string& path);

struct OpenWorkbook;

class WorkbookHandle {
public:
    WorkbookHandle() = default;
    WorkbookHandle(WorkbookHandle&& other) noexcept;
    WorkbookHandle& operator=(WorkbookHandle&& other) noexcept;
    ~WorkbookHandle();

    bool isOpen() const { return shared_ != nullptr; }
    // The workbook; error 3420 after close().
    Workbook& workbook() const;
    Workbook* operator->() const { return &workbook(); }

    // Writes the changes to the file now. Errors as replaceFile; the file then stays as it was
    // and the changes stay in memory.
    void flush();
    // Closes this handle; the last open handle writes the changes first. When writing fails
    // the error is thrown and the handle stays open, so that close() can be tried again.
    void close();

private:
    friend WorkbookHandle openWorkbook(const std::string& path, WorkbookReader reader,
                                       Access access);
    explicit WorkbookHandle(std::shared_ptr<OpenWorkbook> shared) : shared_(std::move(shared)) {}
    void release() noexcept;
    void releaseLocked() noexcept;

    std::shared_ptr<OpenWorkbook> shared_;
};

// Opens the workbook at `path` ("\" separators allowed; errors name the path as given) with
// `reader`. Errors: 3024 no such file, 3051 cannot be opened, 3045 in use (see above), 3343 when
// the file is open as a workbook of another format, and those of the reader.
WorkbookHandle openWorkbook(const std::string& path, WorkbookReader reader,
                            Access access = Access::Shared);

}  // namespace glossel::spreadsheet
