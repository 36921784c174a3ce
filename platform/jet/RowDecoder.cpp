// Decoding stored fields into values; long values are read from their LVAL pages.
#include "platform/jet/RowDecoder.h"

#include <bit>
#include <cstring>
#include <string>

#include "platform/jet/LongValue.h"
#include "platform/jet/TextCodec.h"

namespace glossel::jet {
namespace {

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

Variant decodeField(const StoredField& field, const ColumnDefinition& column,
                    const TableDefinition& table, const PageChannel& channel,
                    std::uint16_t codePage, const Where& where) {
    if (column.type == column_type::kBoolean) {
        return field.present;
    }
    if (!field.present) {
        return Null{};
    }
    return decodeValue(ByteView(field.bytes, where), column, table, channel, codePage);
}

}  // namespace glossel::jet
