// The shared strings part: read into the workbook's string table, and written back holding the
// entries the cells use, in their order. An entry with formatted runs or phonetic text keeps its
// <si> content as the file wrote it (in the entry's formatting runs), and reads as its runs'
// text without the phonetic text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/spreadsheet/StringTable.h"
#include "platform/xlsx/PieceWriter.h"
#include "platform/xlsx/ZipReader.h"

namespace glossel::xlsx {

struct SharedStringsPart {
    std::string rootStartTag;  // the <sst …> start tag as read
    std::string prefix;        // "x:" where the part writes its elements with a prefix
};

// Appends the part's entries to `strings` (which holds none before). Error 3049 naming the part
// and line when it is damaged.
SharedStringsPart readSharedStrings(const ZipReader& zip, const ZipEntry& entry,
                                    spreadsheet::StringTable& strings);

// Each entry's number in the part written with the entries `used` marks (for the others the
// number is undefined).
std::vector<std::uint32_t> sharedStringNumbers(const std::vector<bool>& used);

// Hands the part's XML to `sink` in pieces, with the entries `used` marks; `references` is how
// many cells show a shared string.
void writeSharedStrings(const SharedStringsPart& part, const spreadsheet::StringTable& strings,
                        const std::vector<bool>& used, std::uint64_t references,
                        const PieceSink& sink);

}  // namespace glossel::xlsx
