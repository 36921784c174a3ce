// The shared string table on disk: SST (+ CONTINUE) and its EXTSST index.
//
// SST: 0/4 number of LABELSST cells in the workbook; 4/4 number of entries; then the entries,
// each `u16 length, u8 flags, [u16 run count], [u32 phonetic size], characters, runs, phonetic`.
// It is cut into records of at most 8,224 bytes the way Excel cuts it: a string's header stays
// with its first character (else the string starts the next CONTINUE); characters may be cut,
// the CONTINUE then starts with a flags byte; a surrogate pair and a 4-byte run are never cut;
// the phonetic block may be cut anywhere.
// EXTSST: 0/2 strings per bucket; then per bucket u32 position of its first string, u16 offset of
// that string from the header of the record holding it, u16 reserved.
#pragma once

#include <cstdint>
#include <span>

#include "platform/xls/Record.h"
#include "platform/xls/RecordWriter.h"
#include "platform/spreadsheet/StringTable.h"

namespace glossel::xls {

// Appends the SST's entries to `table` in their order.
void readSst(const RecordReader& record, spreadsheet::StringTable& table);

// Appends SST, its CONTINUEs and EXTSST to `out` for the entries `order` of `table`, in that
// order. `cellCount` = number of LABELSST cells. Positions in EXTSST count from the start of
// `out`, which must be the start of the Workbook stream.
void writeSst(Bytes& out, const spreadsheet::StringTable& table, std::span<const std::uint32_t> order,
              std::uint32_t cellCount);

// The same for a stream that leaves in pieces: whenever its bytes have grown past a piece size
// at the end of a record, they are handed on.
void writeSst(PieceOut out, const spreadsheet::StringTable& table, std::span<const std::uint32_t> order,
              std::uint32_t cellCount);

// The bytes writeSst would append for `order`, without writing them.
std::size_t sstSize(const spreadsheet::StringTable& table, std::span<const std::uint32_t> order);

}  // namespace glossel::xls
