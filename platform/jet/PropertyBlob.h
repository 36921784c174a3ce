// Object properties as a table's catalogue row keeps them (column LvProp): properties of the table
// and of each column, such as AllowZeroLength and Required, which the table definition lacks.
//   "MR2\0" (Jet 4) or "KKD\0" (Jet 3), then chunks:
//   OFFSET  SIZE  DESCRIPTION
//   0       4     chunk length, these 6 bytes included
//   4       2     type: 0x80 name list; 0x00 the table's properties; 0x01 a column's
//   name list:    repeated u16 byte length + name (UTF-16LE; Jet 3: the code page)
//   value chunk:  u32 block length (itself included), u16 name length, the column's name; then
//                 entries: u16 length (itself included), u8 DDL flag, u8 Jet type, u16 index into
//                 the name list, u16 value length, value
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/jet/Damage.h"
#include "platform/jet/JetFormat.h"

namespace glossel::jet {

struct PropertyEntry {
    std::uint8_t ddl = 0;
    std::uint8_t type = 0;
    std::string name;
    Bytes value;
};

struct PropertyChunk {
    std::uint16_t type = 0;
    std::string objectName;  // the column's name; empty for the table
    std::vector<PropertyEntry> entries;
};

class PropertyBlob {
public:
    // An empty blob reads as no properties. Damage is reported through `where`.
    static PropertyBlob parse(const Bytes& stored, const JetFormat& format, const Where& where,
                              std::uint16_t codePage);

    // A yes/no property of a column; nullopt when the column does not have it.
    std::optional<bool> columnFlag(const std::string& column, const std::string& name) const;
    void setColumnFlag(const std::string& column, const std::string& name, bool value);

    // The Jet 4 form: one name list, then every chunk that holds entries.
    Bytes serialize() const;

private:
    std::vector<PropertyChunk> chunks_;
    const JetFormat* format_ = nullptr;  // the version it was read in, and is written in
};

}  // namespace glossel::jet
