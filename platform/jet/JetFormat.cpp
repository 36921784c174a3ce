// The two format descriptors.
#include "platform/jet/JetFormat.h"

namespace glossel::jet {

const JetFormat& jet3Format() {
    static const JetFormat format{
        .version = JetVersion::Jet3,
        .pageSize = 2048,
        .maskedHeaderLength = 126,
        .passwordLength = 20,
        .dataRowCountOffset = 8,
        .dataRowOffsetsStart = 10,
        .tdefRowCount = 12,
        .tdefMaxColumns = 21,
        .tdefVariableColumns = 23,
        .tdefColumnCount = 25,
        .tdefIndexCount = 27,
        .tdefRealIndexCount = 31,
        .tdefOwnedPagesMap = 35,
        .tdefFreeSpaceMap = 39,
        .tdefBlockEnd = 43,
        .realIndexEntrySize = 8,
        .realIndexBlockSize = 39,
        .realIndexColumns = 0,
        .logicalIndexSize = 20,
        .logicalIndexRealIndex = 4,
        .logicalIndexType = 19,
        .columnEntrySize = 18,
        .columnNumber = 1,
        .columnVariableSlot = 3,
        .columnPrecision = 11,
        .columnScale = 12,
        .columnFlags = 13,
        .columnExtraFlags = 0,
        .columnFixedOffset = 14,
        .columnLength = 16,
        .nameLengthSize = 1,
        .rowFieldSize = 1,
        .rowsHaveJumpTable = true,
        .unicodeText = false,
        .passwordMaskedByCreationDate = false,
        .propertyBlobMagic = "KKD",
        .writable = false,
    };
    return format;
}

const JetFormat& jet4Format() {
    static const JetFormat format{
        .version = JetVersion::Jet4,
        .pageSize = 4096,
        .maskedHeaderLength = 128,
        .passwordLength = 40,
        .dataRowCountOffset = 12,
        .dataRowOffsetsStart = 14,
        .tdefRowCount = 16,
        .tdefMaxColumns = 41,
        .tdefVariableColumns = 43,
        .tdefColumnCount = 45,
        .tdefIndexCount = 47,
        .tdefRealIndexCount = 51,
        .tdefOwnedPagesMap = 55,
        .tdefFreeSpaceMap = 59,
        .tdefBlockEnd = 63,
        .realIndexEntrySize = 12,
        .realIndexBlockSize = 52,
        .realIndexColumns = 4,
        .logicalIndexSize = 28,
        .logicalIndexRealIndex = 8,
        .logicalIndexType = 23,
        .columnEntrySize = 25,
        .columnNumber = 5,
        .columnVariableSlot = 7,
        .columnPrecision = 11,
        .columnScale = 12,
        .columnFlags = 15,
        .columnExtraFlags = 16,
        .columnFixedOffset = 21,
        .columnLength = 23,
        .nameLengthSize = 2,
        .rowFieldSize = 2,
        .rowsHaveJumpTable = false,
        .unicodeText = true,
        .passwordMaskedByCreationDate = true,
        .propertyBlobMagic = "MR2",
        .writable = true,
    };
    return format;
}

}  // namespace glossel::jet
