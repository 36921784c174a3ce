// The BIFF8 workbook stream as this engine reads and writes it: record ids, the layout of the
// records whose fields it interprets, and Excel 97's limits. Everything is little-endian; a
// "position" is a byte offset from the start of the Workbook stream.
//
// A record is `u16 id, u16 size, size bytes`. A record longer than kMaxRecordData goes on in
// CONTINUE records right after it. The stream holds the globals substream (BOF … EOF), then one
// substream per sheet, each starting where its BOUNDSHEET record says.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/spreadsheet/SheetLimits.h"

namespace glossel::xls {

inline constexpr std::size_t kRecordHeaderSize = 4;
inline constexpr std::size_t kMaxRecordData = 8224;

inline constexpr std::uint32_t kMaxRows = 65536;
inline constexpr std::uint32_t kMaxColumns = 256;
inline constexpr std::size_t kMaxCellCharacters = 32767;  // UTF-16 code units
inline constexpr spreadsheet::SheetLimits kSheetLimits{
    kMaxRows, kMaxColumns, kMaxCellCharacters, "ein Excel-97-Arbeitsblatt",
    "Eine .xlsx-Zieldatei nimmt bis zu 1.048.576 Zeilen auf."};
inline constexpr std::uint32_t kRowsPerBlock = 32;

namespace id {
// Stream structure
inline constexpr std::uint16_t kBof = 0x0809;
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kContinue = 0x003C;
// Globals
inline constexpr std::uint16_t kFilePass = 0x002F;
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kXf = 0x00E0;
inline constexpr std::uint16_t kSst = 0x00FC;
inline constexpr std::uint16_t kExtSst = 0x00FF;
// Globals that come after the string table; a new SST goes before the first of them.
inline constexpr std::uint16_t kWebPub = 0x0801;
inline constexpr std::uint16_t kWOpt = 0x080B;
inline constexpr std::uint16_t kCrErr = 0x0865;
inline constexpr std::uint16_t kBookExt = 0x0863;
inline constexpr std::uint16_t kFeatHdr = 0x0867;
inline constexpr std::uint16_t kDConn = 0x0876;
inline constexpr std::uint16_t kTheme = 0x0896;
inline constexpr std::uint16_t kCompressPictures = 0x089B;
inline constexpr std::uint16_t kCompat12 = 0x088C;
inline constexpr std::uint16_t kGuidTypeLib = 0x0897;
// Worksheet
inline constexpr std::uint16_t kUncalced = 0x005E;
inline constexpr std::uint16_t kIndex = 0x020B;
inline constexpr std::uint16_t kDefaultRowHeight = 0x0225;
inline constexpr std::uint16_t kDefColWidth = 0x0055;
inline constexpr std::uint16_t kColInfo = 0x007D;
inline constexpr std::uint16_t kDimensions = 0x0200;
inline constexpr std::uint16_t kRow = 0x0208;
inline constexpr std::uint16_t kDbCell = 0x00D7;
// Worksheet records that come after the cell table; a missing cell table goes before them.
inline constexpr std::uint16_t kMsoDrawing = 0x00EC;
inline constexpr std::uint16_t kObj = 0x005D;
inline constexpr std::uint16_t kTxo = 0x01B6;
inline constexpr std::uint16_t kNote = 0x001C;
inline constexpr std::uint16_t kWindow2 = 0x023E;
// Cells
inline constexpr std::uint16_t kLabelSst = 0x00FD;
inline constexpr std::uint16_t kLabel = 0x0204;
inline constexpr std::uint16_t kNumber = 0x0203;
inline constexpr std::uint16_t kRk = 0x027E;
inline constexpr std::uint16_t kMulRk = 0x00BD;
inline constexpr std::uint16_t kBlank = 0x0201;
inline constexpr std::uint16_t kMulBlank = 0x00BE;
inline constexpr std::uint16_t kBoolErr = 0x0205;
inline constexpr std::uint16_t kFormula = 0x0006;
// Records that belong to the FORMULA before them.
inline constexpr std::uint16_t kShrFmla = 0x04BC;
inline constexpr std::uint16_t kArray = 0x0221;
inline constexpr std::uint16_t kTable = 0x0236;
inline constexpr std::uint16_t kString = 0x0207;
}  // namespace id

// BOF: OFFSET 0 SIZE 2 version (0x0600 = BIFF8, 0x0500 = BIFF5); 2/2 substream type;
// 4/2 build; 6/2 year; 8/4 history flags; 12/4 lowest version.
namespace bof {
inline constexpr std::uint16_t kBiff8 = 0x0600;
inline constexpr std::uint16_t kBiff5 = 0x0500;
inline constexpr std::uint16_t kGlobals = 0x0005;
inline constexpr std::uint16_t kWorksheet = 0x0010;
}  // namespace bof

// BOUNDSHEET: 0/4 position of the sheet's BOF; 4/1 visibility; 5/1 sheet type (0 worksheet);
// 6 sheet name as u8 length, u8 flags, characters.
// XF (20 bytes): 0/2 font; 2/2 number format id; 4/2 type and protection, bit 0x0004 = style XF.
inline constexpr std::uint16_t kXfIsStyle = 0x0004;
inline constexpr std::uint16_t kDefaultCellXf = 15;

// INDEX: 0/4 reserved; 4/4 first row; 8/4 last row + 1; 12/4 position of DEFCOLWIDTH (0 if
// none); 16 one u32 position per DBCELL, one DBCELL per 32-row block.
// DBCELL: 0/4 position of the DBCELL minus the position of the block's first ROW; 4 one u16
// per ROW of the block: first = start of the first row's cells minus the end of the first ROW,
// then start of each row's cells minus the start of the previous row's cells.
// DIMENSIONS (14 bytes): 0/4 first row; 4/4 last row + 1; 8/2 first column; 10/2 last column + 1;
// 12/2 reserved.
// DEFAULTROWHEIGHT: 0/2 flags; 2/2 height in twips.
// COLINFO (12 bytes): 0/2 first column; 2/2 last column (may be 256); 4/2 width in 1/256 of a
// character; 6/2 XF; 8/2 flags; 10/2 reserved.
// ROW (16 bytes): 0/2 row; 2/2 first column; 4/2 last column + 1; 6/2 height in twips;
// 8/4 reserved; 12/2 flags (0x0080 = the row has its own XF; 0x0100 always set);
// 14/2 XF in bits 0-11.
inline constexpr std::size_t kRowRecordSize = 16;
inline constexpr std::uint16_t kRowFlagsDefault = 0x0100;
inline constexpr std::uint16_t kRowHasXf = 0x0080;
inline constexpr std::uint16_t kRowXfDefault = 0x000F;
inline constexpr std::uint16_t kDefaultRowHeightTwips = 255;

// Cells start with 0/2 row, 2/2 column, 4/2 XF; then
//   LABELSST 6/4 index into the SST;  LABEL 6 XLUnicodeString (u16 length);
//   NUMBER 6/8 double;  RK 6/4 RK number;  BOOLERR 6/1 value, 7/1 1 = error code;
//   MULRK 0/2 row, 2/2 first column, then {u16 XF, u32 RK} per column, then u16 last column;
//   MULBLANK 0/2 row, 2/2 first column, then u16 XF per column, then u16 last column;
//   FORMULA 6/8 cached value, 14/2 flags, 16/4 reserved, 20/2 size of the tokens, tokens.
// A FORMULA's cached value with bytes 6-7 = 0xFFFF holds in byte 0: 0 text (a STRING record
// follows), 1 boolean (byte 2), 2 error code (byte 2), 3 empty text. Otherwise it is a double.
inline constexpr std::size_t kCellHeaderSize = 6;

}  // namespace glossel::xls
