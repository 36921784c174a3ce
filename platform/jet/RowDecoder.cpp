// Decoding rows: null mask first (it also covers rows older than a column), then the fixed area
// or the variable offsets.
#include "platform/jet/RowDecoder.h"

#include <bit>
#include <cstring>
#include <string>

#include "platform/jet/LongValue.h"
#include "platform/jet/TextCodec.h"

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
    if (format.version == JetVersion::Jet3) {
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

Variant decodeValue(const ByteView& data, const ColumnDefinition& column,
                    const TableDefinition& table, const PageChannel& channel,
                    std::uint16_t codePage) {
    switch (column.type) {
        case column_type::kByte:
            return data.u8(0);
        case column_type::kInteger:
            return static_cast<std::int16_t>(data.u16(0));
        case column_type::kLong:
            return static_cast<std::int32_t>(data.u32(0));
        case column_type::kCurrency:
            return Currency{static_cast<std::int64_t>(data.u64(0))};
        case column_type::kSingle:
            return std::bit_cast<float>(data.u32(0));
        case column_type::kDouble:
            return std::bit_cast<double>(data.u64(0));
        case column_type::kDateTime:
            return DateTime{std::bit_cast<double>(data.u64(0))};
        case column_type::kGuid: {
            Guid guid;
            const auto bytes = data.slice(0, guid.bytes.size()).bytes();
            std::copy(bytes.begin(), bytes.end(), guid.bytes.begin());
            return guid;
        }
        case column_type::kNumeric: {
            Decimal decimal{.negative = data.u8(0) != 0, .scale = column.scale, .magnitude = {}};
            for (std::size_t word = 0; word < decimal.magnitude.size(); ++word) {
                decimal.magnitude[word] = data.u32(1 + 4 * word);
            }
            return decimal;
        }
        case column_type::kText:
            return decodeJetText(data.bytes(), channel.format(), codePage);
        case column_type::kMemo:
            return decodeJetText(readLongValue(channel, data, table.name), channel.format(),
                                 codePage);
        case column_type::kOle:
            return readLongValue(channel, data, table.name);
        case column_type::kBinary:
            return Bytes(data.bytes().begin(), data.bytes().end());
        default:
            data.damaged("Spalte '" + column.name + "' hat den unbekannten Typ " +
                         std::to_string(column.type));
    }
}

}  // namespace

std::vector<Variant> decodeRow(const ByteView& row, const TableDefinition& table,
                               const PageChannel& channel, std::uint16_t codePage) {
    const JetFormat& format = channel.format();
    const RowLayout layout = readLayout(row, table, format);
    const std::size_t variableEnd =
        layout.variableOffsets.empty() ? layout.nullMaskStart : layout.variableOffsets.back();

    std::vector<Variant> values;
    values.reserve(table.columns.size());
    for (const ColumnDefinition& column : table.columns) {
        const bool present = isPresent(row, layout, column.number);
        if (column.type == column_type::kBoolean) {
            values.emplace_back(present);
            continue;
        }
        if (!present) {
            values.emplace_back(Null{});
            continue;
        }
        if (column.isFixedLength()) {
            const std::size_t start = format.rowFieldSize + column.fixedOffset;
            values.push_back(
                decodeValue(row.slice(start, fixedSize(column)), column, table, channel, codePage));
            continue;
        }
        const std::size_t slot = column.variableSlot;
        if (slot + 1 >= layout.variableOffsets.size()) {
            values.emplace_back(Null{});
            continue;
        }
        const std::size_t start = layout.variableOffsets[slot];
        const std::size_t end = layout.variableOffsets[slot + 1];
        if (start > end || end > variableEnd || variableEnd > layout.nullMaskStart) {
            row.damaged("Spalte '" + column.name + "' hat unmögliche Grenzen");
        }
        values.push_back(
            decodeValue(row.slice(start, end - start), column, table, channel, codePage));
    }
    return values;
}

}  // namespace glossel::jet
