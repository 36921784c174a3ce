// Helpers for the workbook engine tests: a workbook's content as comparable lines (from the
// engine, from xlrd, from a fixture's JSON), the Workbook stream of a file, and a check of the
// positions a written stream must get right (BOUNDSHEET, INDEX, DBCELL, EXTSST).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xls/Workbook.h"

namespace glossel::test {

using Listing = std::vector<std::string>;

// The Excel 97 workbook behind a handle that xls::openWorkbook opened.
inline xls::Workbook& biff8(const spreadsheet::WorkbookHandle& handle) {
    return static_cast<xls::Workbook&>(handle.workbook());
}

// Lines as xlrd_cells.py prints them: sheets, non-empty cells (with XF when `withXf`), and
// COLINFO widths when `withXf`. Numbers in %.17g.
Listing engineListing(const xls::Workbook& workbook, bool withXf = true);
Listing xlrdListing(const std::string& path);
Listing expectedListing(const std::string& jsonPath);
// Expects equal listings; reports the first differing lines.
void expectSameListing(const Listing& actual, const Listing& expected);

std::vector<std::uint8_t> workbookStream(const std::vector<std::uint8_t>& file);
// `file` with its Workbook stream replaced.
std::vector<std::uint8_t> withWorkbookStream(const std::vector<std::uint8_t>& file,
                                             const std::vector<std::uint8_t>& stream);

// One record header of a stream, CONTINUEs counted as records of their own.
struct StreamRecord {
    std::uint16_t id;
    std::size_t position;
    std::size_t size;
};
std::vector<StreamRecord> walkStream(const std::vector<std::uint8_t>& stream);
std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::uint16_t u16At(const std::vector<std::uint8_t>& bytes, std::size_t at);

// Texts of every kind the exporter meets, the n-th of a fixed cycle: Cyrillic, Greek, CJK,
// emoji (surrogate pairs), Latin-1, quotes and line breaks, 255 characters, empty. Every
// 1000th is 32,767 characters long.
std::string sampleText(std::size_t n);

// Checks every absolute and relative position of a written stream.
void expectConsistentPositions(const std::vector<std::uint8_t>& stream);

}  // namespace glossel::test
