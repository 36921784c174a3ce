// Jet 3 (Access 97) and Jet 4 (Access 2000-2003) file layout: every offset, size and rule that
// differs between the two versions lives in one descriptor, so that no other code asks for the
// version.
//
// Page 0, the database header (both versions; bytes 0x18.. are masked, see JetHeader):
//   OFFSET  SIZE  DESCRIPTION
//   0x00    4     00 01 00 00
//   0x04    16    "Standard Jet DB\0"
//   0x14    1     version: 0 = Jet 3, 1 = Jet 4 (2, 3, 5, 6 = ACE, not supported)
//   0x3C    2     database code page (Jet 3 text is stored in it)
//   0x3E    4     page-encryption key, 0 = not encrypted
//   0x42    20/40 database password (Jet 3 / Jet 4)
//   0x72    8     Jet 4: creation date (double), its integer part masks the password
//
// Data page (rows, long values, usage-map holders), Jet 3 / Jet 4:
//   0       1     0x01
//   2       2     free bytes on the page
//   4       4     owner: TDEF page of the table, "LVAL" for long values, 0 for map holders
//   8/12    2     number of row slots
//   10/14   2*n   row offsets; flags 0x4000 overflow pointer, 0x8000 moved data, 0xC000 deleted
//
// Table definition (TDEF) page: see TableDefinitionReader.cpp for the sections after the block.
//   0       1     0x02
//   4       4     next TDEF page, 0 on the last
//   8       4     length of the whole definition
//   12/16   4     number of live rows
//   20/40   1     table type: 0x4E user, 0x53 system
//   21/41   2     highest column number ever used + 1
//   23/43   2     variable-offset slots (including deleted variable columns)
//   25/45   2     live columns
//   27/47   4     logical index count
//   31/51   4     real index count
//   35/55   4     rowid of the owned-pages usage map
//   39/59   4     rowid of the free-space usage map
//   43/63         first real-index entry
#pragma once

#include <cstddef>
#include <cstdint>

namespace glossel::jet {

enum class JetVersion { Jet3, Jet4 };

namespace page_type {
inline constexpr std::uint8_t kDatabaseHeader = 0x00;
inline constexpr std::uint8_t kData = 0x01;
inline constexpr std::uint8_t kTableDefinition = 0x02;
inline constexpr std::uint8_t kUsageMapBitmap = 0x05;
}  // namespace page_type

namespace row_flag {
inline constexpr std::uint16_t kOverflowPointer = 0x4000;
inline constexpr std::uint16_t kMovedData = 0x8000;
inline constexpr std::uint16_t kDeleted = 0xC000;
inline constexpr std::uint16_t kOffsetMask = 0x1FFF;
}  // namespace row_flag

// Jet column type codes.
namespace column_type {
inline constexpr std::uint8_t kBoolean = 0x01;
inline constexpr std::uint8_t kByte = 0x02;
inline constexpr std::uint8_t kInteger = 0x03;
inline constexpr std::uint8_t kLong = 0x04;
inline constexpr std::uint8_t kCurrency = 0x05;
inline constexpr std::uint8_t kSingle = 0x06;
inline constexpr std::uint8_t kDouble = 0x07;
inline constexpr std::uint8_t kDateTime = 0x08;
inline constexpr std::uint8_t kBinary = 0x09;
inline constexpr std::uint8_t kText = 0x0A;
inline constexpr std::uint8_t kOle = 0x0B;
inline constexpr std::uint8_t kMemo = 0x0C;
inline constexpr std::uint8_t kGuid = 0x0F;
inline constexpr std::uint8_t kNumeric = 0x10;
}  // namespace column_type

namespace column_flag {
inline constexpr std::uint8_t kFixedLength = 0x01;
inline constexpr std::uint8_t kCompressedUnicode = 0x01;  // in the extra flags (Jet 4)
}  // namespace column_flag

struct JetFormat {
    JetVersion version;
    std::uint32_t pageSize;

    // Header page.
    std::size_t maskedHeaderLength;  // bytes from 0x18 XORed with the header mask
    std::size_t passwordLength;

    // Data pages.
    std::size_t dataRowCountOffset;
    std::size_t dataRowOffsetsStart;  // also the data-page header length

    // TDEF block.
    std::size_t tdefRowCount;
    std::size_t tdefMaxColumns;
    std::size_t tdefVariableColumns;
    std::size_t tdefColumnCount;
    std::size_t tdefIndexCount;
    std::size_t tdefRealIndexCount;
    std::size_t tdefOwnedPagesMap;
    std::size_t tdefFreeSpaceMap;
    std::size_t tdefBlockEnd;
    std::size_t realIndexEntrySize;
    std::size_t realIndexBlockSize;  // columns (10 x u16 number + u8 order) from realIndexColumns
    std::size_t realIndexColumns;
    std::size_t logicalIndexSize;
    std::size_t logicalIndexRealIndex;  // u32: the real index it uses
    std::size_t logicalIndexType;       // u8: 1 primary key, 2 foreign key

    // Column entry.
    std::size_t columnEntrySize;
    std::size_t columnNumber;
    std::size_t columnVariableSlot;
    std::size_t columnPrecision;
    std::size_t columnScale;
    std::size_t columnFlags;
    std::size_t columnExtraFlags;  // 0 when the version has none
    std::size_t columnFixedOffset;
    std::size_t columnLength;

    // Names in the TDEF: length prefix of 1 (Jet 3, code-page bytes) or 2 (Jet 4, UTF-16LE) bytes.
    std::size_t nameLengthSize;

    // Rows: column count, variable offsets, end-of-data and slot count are u8 (Jet 3) or u16.
    std::size_t rowFieldSize;
    // Rows: single-byte variable offsets reach past 255 through a jump table (Jet 3).
    bool rowsHaveJumpTable;

    // Texts: UTF-16LE, compressed where possible (Jet 4), or bytes in the database code page.
    bool unicodeText;
    // Header page: the password is XORed with the creation date as well (Jet 4).
    bool passwordMaskedByCreationDate;
    // Property blobs (LvProp) begin with these 4 bytes.
    const char* propertyBlobMagic;
    // Whether this program changes files of the version: Jet 3 files are only read.
    bool writable;

    bool textIsUnicode() const { return unicodeText; }
    // The characters a text column of `lengthBytes` holds.
    std::size_t textCharacters(std::uint16_t lengthBytes) const {
        return unicodeText ? lengthBytes / 2u : lengthBytes;
    }
};

const JetFormat& jet3Format();
const JetFormat& jet4Format();

}  // namespace glossel::jet
