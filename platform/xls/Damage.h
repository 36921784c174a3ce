// Errors for workbooks that cannot be read: every one names the file as given and, where known,
// the sheet, the record and its position in the Workbook stream.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace glossel::xls {

// The part of a workbook being read.
struct Source {
    std::string_view path;   // as the caller gave it
    std::string_view sheet;  // empty while reading the globals
};

// A record of a readable workbook is damaged: error 3049.
[[noreturn]] void throwDamaged(const Source& source, std::optional<std::uint32_t> position,
                               std::optional<std::uint16_t> recordId, std::string_view what);

// The file is no Excel 97 workbook (not a compound file, no Workbook stream, an older BIFF
// version): error 3343.
[[noreturn]] void throwUnrecognised(std::string_view path, std::string_view what);

}  // namespace glossel::xls
