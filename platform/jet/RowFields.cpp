// Splitting rows into fields and joining fields into rows: null mask first (it also covers rows
// older than a column), then the fixed area or the variable offsets.
#include "platform/jet/RowFields.h"

#include <algorithm>
#include <string>

#include "platform/ByteOrder.h"

namespace glossel::jet {
namespace {

constexpr std::size_t kJet3JumpSpan = 256;

struct RowLayout {
    std::uint32_t columnCount = 0;
    std::size_t nullMaskStart = 0;
    std::vector<std::size_t> variableOffsets;  // one per slot, then the end of variable data
};

// Jet 3 offsets are single bytes; a jump table lists, for each 256-byte step, the first offset
// that lies beyond it.
std::vector<std::size_t> jet3VariableOffsets(const ByteView& row, std::size_t slotCountAt,
                                             std::size_t slots) {
    std::size_t jumps = (row.size() - 1) / kJet3JumpSpan;
    std::size_t offsetsEnd = slotCountAt - jumps;  // offset i sits at offsetsEnd - 1 - i
    if (slotCountAt < jumps + slots + 1) {
        row.damaged("die Zeile ist kürzer als ihre Spaltenverweise");
    }
    if ((offsetsEnd - 1 - slots) / kJet3JumpSpan < jumps) {
        --jumps;  // the last jump entry is a placeholder
    }
    std::vector<std::size_t> offsets(slots + 1);
    std::size_t jumpsUsed = 0;
    for (std::size_t i = 0; i <= slots; ++i) {
        while (jumpsUsed < jumps && i == row.u8(slotCountAt - 1 - jumpsUsed)) {
            ++jumpsUsed;
        }
        offsets[i] = row.u8(offsetsEnd - 1 - i) + jumpsUsed * kJet3JumpSpan;
    }
    return offsets;
}

RowLayout readLayout(const ByteView& row, const TableDefinition& table, const JetFormat& format) {
    RowLayout layout;
    const std::size_t field = format.rowFieldSize;
    layout.columnCount = row.uint(0, field);
    const std::size_t maskLength = (layout.columnCount + 7) / 8;
    if (row.size() < field + maskLength) {
        row.damaged("die Zeile ist kürzer als ihre Nullmaske");
    }
    layout.nullMaskStart = row.size() - maskLength;
    if (table.variableColumns == 0) {
        return layout;
    }
    if (layout.nullMaskStart < 2 * field) {
        row.damaged("die Zeile ist zu kurz für ihre variablen Spalten");
    }
    const std::size_t slotCountAt = layout.nullMaskStart - field;
    const std::size_t slots = row.uint(slotCountAt, field);
    if (format.rowsHaveJumpTable) {
        layout.variableOffsets = jet3VariableOffsets(row, slotCountAt, slots);
    } else {
        if (slotCountAt < (slots + 1) * field) {
            row.damaged("die Zeile ist kürzer als ihre Spaltenverweise");
        }
        layout.variableOffsets.resize(slots + 1);
        for (std::size_t i = 0; i <= slots; ++i) {
            layout.variableOffsets[i] = row.u16(slotCountAt - field * (i + 1));
        }
    }
    return layout;
}

bool isPresent(const ByteView& row, const RowLayout& layout, std::uint16_t number) {
    if (number >= layout.columnCount) {
        return false;
    }
    return (row.u8(layout.nullMaskStart + number / 8) >> (number % 8) & 1) != 0;
}

}  // namespace

std::size_t fixedSize(const ColumnDefinition& column) {
    switch (column.type) {
        case column_type::kByte:
            return 1;
        case column_type::kInteger:
            return 2;
        case column_type::kLong:
        case column_type::kSingle:
            return 4;
        case column_type::kCurrency:
        case column_type::kDouble:
        case column_type::kDateTime:
            return 8;
        case column_type::kGuid:
            return 16;
        case column_type::kNumeric:
            return 17;
        default:
            return column.length;
    }
}

std::vector<StoredField> splitRow(const ByteView& row, const TableDefinition& table,
                                  const JetFormat& format) {
    std::vector<StoredField> fields;
    splitRow(row, table, format, fields);
    return fields;
}

void splitRow(const ByteView& row, const TableDefinition& table, const JetFormat& format,
              std::vector<StoredField>& fields) {
    const RowLayout layout = readLayout(row, table, format);
    const std::size_t variableEnd =
        layout.variableOffsets.empty() ? layout.nullMaskStart : layout.variableOffsets.back();

    fields.resize(table.columns.size());
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDefinition& column = table.columns[i];
        StoredField& field = fields[i];
        field.present = isPresent(row, layout, column.number);
        field.bytes.clear();
        if (!field.present || column.type == column_type::kBoolean) {
            continue;
        }
        ByteView data({}, row.where());
        if (column.isFixedLength()) {
            data = row.slice(format.rowFieldSize + column.fixedOffset, fixedSize(column));
        } else if (column.variableSlot + 1u < layout.variableOffsets.size()) {
            const std::size_t start = layout.variableOffsets[column.variableSlot];
            const std::size_t end = layout.variableOffsets[column.variableSlot + 1u];
            if (start > end || end > variableEnd || variableEnd > layout.nullMaskStart) {
                row.damaged("Spalte '" + column.name + "' hat unmögliche Grenzen");
            }
            data = row.slice(start, end - start);
        } else {
            field.present = false;
            continue;
        }
        field.bytes.assign(data.bytes().begin(), data.bytes().end());
    }
}

namespace {

constexpr std::size_t kField = 2;

std::size_t maskLength(const TableDefinition& table) {
    return (table.maxColumns + 7u) / 8u;
}

}  // namespace

RowJoiner::RowJoiner(const TableDefinition& table)
    : table_(table), bySlot_(table.variableColumns, table.columns.size()) {
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDefinition& column = table.columns[i];
        if (column.type == column_type::kBoolean) {
            continue;
        }
        if (column.isFixedLength()) {
            fixedEnd_ = std::max(fixedEnd_, column.fixedOffset + fixedSize(column));
        } else if (column.variableSlot < bySlot_.size()) {
            bySlot_[column.variableSlot] = i;
        }
    }
}

void RowJoiner::join(const std::vector<StoredField>& fields, std::vector<std::uint8_t>& row) {
    std::size_t variableBytes = 0;
    for (const std::size_t column : bySlot_) {
        if (column < fields.size() && fields[column].present) {
            variableBytes += fields[column].bytes.size();
        }
    }
    row.clear();
    row.reserve(kField + fixedEnd_ + variableBytes + kField * (table_.variableColumns + 2u) +
                maskLength(table_));
    row.resize(kField + fixedEnd_, 0);
    le::set16(row, 0, table_.maxColumns);
    for (std::size_t i = 0; i < table_.columns.size(); ++i) {
        const ColumnDefinition& column = table_.columns[i];
        if (fields[i].present && column.isFixedLength() && column.type != column_type::kBoolean) {
            std::copy(fields[i].bytes.begin(), fields[i].bytes.end(),
                      row.begin() + static_cast<std::ptrdiff_t>(kField + column.fixedOffset));
        }
    }
    offsets_.clear();
    for (const std::size_t column : bySlot_) {
        offsets_.push_back(row.size());
        if (column < fields.size() && fields[column].present) {
            row.insert(row.end(), fields[column].bytes.begin(), fields[column].bytes.end());
        }
    }
    const std::size_t variableEnd = row.size();
    if (table_.variableColumns > 0) {
        const std::size_t at = row.size();
        row.resize(at + kField * (offsets_.size() + 2));
        le::set16(row, at, variableEnd);
        for (std::size_t slot = 0; slot < offsets_.size(); ++slot) {
            le::set16(row, row.size() - kField * (slot + 2), offsets_[slot]);
        }
        le::set16(row, row.size() - kField, offsets_.size());
    }
    const std::size_t maskStart = row.size();
    row.resize(maskStart + maskLength(table_), 0);
    for (std::size_t i = 0; i < table_.columns.size(); ++i) {
        if (fields[i].present) {
            row[maskStart + table_.columns[i].number / 8u] |=
                static_cast<std::uint8_t>(1u << (table_.columns[i].number % 8u));
        }
    }
}

std::vector<std::uint8_t> joinRow(const TableDefinition& table,
                                  const std::vector<StoredField>& fields, std::size_t minimumSize) {
    std::vector<std::uint8_t> row;
    RowJoiner(table).join(fields, row);
    padRow(table, row, minimumSize);
    return row;
}

void padRow(const TableDefinition& table, std::vector<std::uint8_t>& row, std::size_t minimumSize) {
    if (row.size() >= minimumSize) {
        return;
    }
    const std::size_t trailer =
        (table.variableColumns > 0 ? kField * (table.variableColumns + 2u) : 0) + maskLength(table);
    row.insert(row.end() - static_cast<std::ptrdiff_t>(trailer), minimumSize - row.size(), 0);
}

}  // namespace glossel::jet
