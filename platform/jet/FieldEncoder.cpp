// Encoding field values.
#include "platform/jet/FieldEncoder.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "platform/Error.h"
#include "platform/jet/TextCodec.h"
#include "platform/nls/Utf16.h"

namespace glossel::jet {
namespace {

[[noreturn]] void conversionError(const Describe& where) {
    throw Error(err::kConversion,
                "Datentypkonvertierungsfehler: der Wert passt nicht zum Typ (" + where() + ").");
}

[[noreturn]] void overflow(const Describe& where) {
    throw Error(err::kNumericOverflow, "Numerischer Feldüberlauf (" + where() + ").");
}

std::optional<double> parseNumber(std::string text) {
    while (!text.empty() && text.front() == ' ') {
        text.erase(text.begin());
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    if (!text.empty() && text.front() == '+') {
        text.erase(text.begin());
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

struct NumberOf {
    const Describe& where;
    double operator()(bool v) const { return v ? -1 : 0; }
    double operator()(std::uint8_t v) const { return v; }
    double operator()(std::int16_t v) const { return v; }
    double operator()(std::int32_t v) const { return v; }
    double operator()(float v) const { return v; }
    double operator()(double v) const { return v; }
    double operator()(Currency v) const { return static_cast<double>(v.tenThousandths) / 1e4; }
    double operator()(DateTime v) const { return v.days; }
    double operator()(const std::string& v) const {
        const auto number = parseNumber(v);
        if (!number) {
            conversionError(where);
        }
        return *number;
    }
    double operator()(const auto&) const { conversionError(where); }
};

double asNumber(const Variant& value, const Describe& where) {
    return std::visit(NumberOf{where}, value);
}

// Whole numbers as Jet rounds them: half to even.
std::int64_t asWholeNumber(const Variant& value, double lowest, double highest,
                           const Describe& where) {
    const double number = std::nearbyint(asNumber(value, where));
    if (!std::isfinite(number) || number < lowest || number > highest) {
        overflow(where);
    }
    return static_cast<std::int64_t>(number);
}

template <typename Int>
Bytes littleEndian(Int value, std::size_t size) {
    Bytes bytes(size);
    auto bits = static_cast<std::uint64_t>(value);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(bits);
        bits >>= 8;
    }
    return bytes;
}

std::string asText(const Variant& value, const Describe& where) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (std::holds_alternative<bool>(value) || std::holds_alternative<Bytes>(value) ||
        std::holds_alternative<Guid>(value) || std::holds_alternative<Decimal>(value)) {
        conversionError(where);
    }
    char buffer[64];
    const double number = asNumber(value, where);
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, error == std::errc() ? end : buffer);
}

Bytes encodeText(const ColumnDefinition& column, const Variant& value, const ColumnRules& rules,
                 const Describe& where) {
    const bool compressible = (column.extraFlags & column_flag::kCompressedUnicode) != 0;
    const auto* utf8 = std::get_if<std::string>(&value);
    if (compressible && utf8) {
        // Most texts are compressed: made straight from the UTF-8 wherever they fit the column.
        auto compressed = encodeCompressedJet4Text(*utf8);
        if (compressed &&
            (column.type != column_type::kText || (compressed->size() - 2) * 2 <= column.length)) {
            return std::move(*compressed);
        }
    }
    // One buffer for all texts: a table copy encodes every text of every row.
    thread_local std::u16string text;
    if (utf8) {
        nls::toUtf16(*utf8, text);
    } else {
        nls::toUtf16(asText(value, where), text);
    }
    if (text.empty() && !rules.allowZeroLength) {
        throw Error(
            err::kZeroLengthNotAllowed,
            "Das Feld '" + column.name + "' darf keine leere Zeichenfolge sein (" + where() + ").");
    }
    if (column.type == column_type::kText && text.size() * 2 > column.length) {
        throw Error(err::kFieldTooSmall,
                    "Das Feld ist zu klein für die Datenmenge: " + std::to_string(text.size()) +
                        " Zeichen, höchstens " + std::to_string(column.length / 2) + " (" +
                        where() + ").");
    }
    return encodeJet4Text(text, compressible);
}

Bytes encodeBytes(const ColumnDefinition& column, const Variant& value, const Describe& where) {
    const auto* bytes = std::get_if<Bytes>(&value);
    if (!bytes) {
        conversionError(where);
    }
    if (column.type == column_type::kBinary && bytes->size() > column.length) {
        throw Error(err::kFieldTooSmall,
                    "Das Feld ist zu klein für die Datenmenge: " + std::to_string(bytes->size()) +
                        " Bytes (" + where() + ").");
    }
    return *bytes;
}

Bytes encodeValue(const ColumnDefinition& column, const Variant& value, const ColumnRules& rules,
                  const Describe& where) {
    switch (column.type) {
        case column_type::kByte:
            return littleEndian(asWholeNumber(value, 0, 255, where), 1);
        case column_type::kInteger:
            return littleEndian(asWholeNumber(value, -32768, 32767, where), 2);
        case column_type::kLong:
            return littleEndian(asWholeNumber(value, -2147483648.0, 2147483647.0, where), 4);
        case column_type::kCurrency: {
            const double scaled = std::nearbyint(asNumber(value, where) * 1e4);
            if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18) {
                overflow(where);
            }
            return littleEndian(static_cast<std::int64_t>(scaled), 8);
        }
        case column_type::kSingle: {
            const double number = asNumber(value, where);
            if (std::isfinite(number) && std::fabs(number) > std::numeric_limits<float>::max()) {
                overflow(where);
            }
            return littleEndian(std::bit_cast<std::uint32_t>(static_cast<float>(number)), 4);
        }
        case column_type::kDouble:
        case column_type::kDateTime:
            return littleEndian(std::bit_cast<std::uint64_t>(asNumber(value, where)), 8);
        case column_type::kText:
        case column_type::kMemo:
            return encodeText(column, value, rules, where);
        case column_type::kBinary:
        case column_type::kOle:
            return encodeBytes(column, value, where);
        case column_type::kGuid:
            if (const auto* guid = std::get_if<Guid>(&value)) {
                return Bytes(guid->bytes.begin(), guid->bytes.end());
            }
            conversionError(where);
        default:
            conversionError(where);
    }
}

}  // namespace

StoredField encodeField(const ColumnDefinition& column, const Variant& value,
                        const ColumnRules& rules, const Describe& where) {
    if (column.type == column_type::kBoolean) {
        return {!isNull(value) && asNumber(value, where) != 0, {}};
    }
    if (isNull(value)) {
        if (rules.required) {
            throw Error(err::kFieldRequired, "Das Feld '" + column.name +
                                                 "' kann keinen Nullwert enthalten, weil es "
                                                 "erforderlich ist (" +
                                                 where() + ").");
        }
        return {false, {}};
    }
    return {true, encodeValue(column, value, rules, where)};
}

}  // namespace glossel::jet
