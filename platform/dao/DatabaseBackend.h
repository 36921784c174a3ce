// What a DAO database needs from the file engine behind it: the tables, their fields, record
// sources to walk and change them, and new text fields. The Jet engine provides one for .mdb
// files; the workbook engine one for worksheets.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Variant.h"

namespace glossel::dao {

struct FieldInfo {
    std::string name;
    std::uint8_t type = 0;   // Jet type code (dbText = 10, dbLong = 4, ...)
    std::uint16_t size = 0;  // bytes for fixed types, characters for text
    bool allowZeroLength = false;
    bool required = false;
};

// A table as a recordset walks and changes it: forward over its records in storage order.
class RecordSource {
public:
    virtual ~RecordSource() = default;

    virtual const std::string& name() const = 0;
    virtual const std::vector<FieldInfo>& fields() const = 0;
    // Back to before the first record.
    virtual void rewind() = 0;
    // To the next record; false at the end.
    virtual bool next() = 0;
    // A field's value in the current record.
    virtual const Variant& value(std::size_t field) = 0;
    // Adds a record after the others; the current record stays.
    virtual void append(const std::vector<Variant>& values) = 0;
    // Adds the current record of `source` the same way: for each pair, field `from` of the source
    // goes to field `to` of this table; the other fields stay null. An engine may take over the
    // values it would store alike as they are stored.
    virtual void appendFrom(RecordSource& source,
                            const std::vector<std::pair<std::size_t, std::size_t>>& mapping) {
        std::vector<Variant> values(fields().size(), Null{});
        for (const auto& [from, to] : mapping) {
            values[to] = source.value(from);
        }
        append(values);
    }
    // Changes the current record: every field with a value in `changes` gets it.
    virtual void update(const std::vector<std::optional<Variant>>& changes) = 0;
};

class DatabaseBackend {
public:
    virtual ~DatabaseBackend() = default;

    virtual const std::string& name() const = 0;
    // Names of the user tables, in the engine's order.
    virtual std::vector<std::string> tableNames() const = 0;
    // The table's fields; error 3265 naming the table when there is none.
    virtual std::vector<FieldInfo> fieldsOf(const std::string& table) const = 0;
    // Error 3078 naming the table when there is none.
    virtual std::unique_ptr<RecordSource> openTable(const std::string& table) const = 0;
    virtual void appendTextField(const std::string& table, const std::string& field,
                                 std::uint16_t size, bool allowZeroLength) = 0;
    // Whether the file holds a link of that name that another program saved in it.
    virtual bool hasSavedLink(const std::string& name) const = 0;
    // Writes what is buffered; errors are raised here.
    virtual void close() = 0;
};

}  // namespace glossel::dao
