// A field value as the engine hands it out: null, or one of the Jet value kinds.
// Text is UTF-8 throughout the program.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace glossel {

struct Null {
    bool operator==(const Null&) const = default;
};

// Money: a 64-bit integer counting ten-thousandths.
struct Currency {
    std::int64_t tenThousandths = 0;
    bool operator==(const Currency&) const = default;
};

// OLE automation date: days since 1899-12-30, the time of day as the fraction.
struct DateTime {
    double days = 0;
    bool operator==(const DateTime&) const = default;
};

// A GUID in its stored byte order (Data1..Data3 little-endian, then 8 bytes).
struct Guid {
    std::array<std::uint8_t, 16> bytes{};
    bool operator==(const Guid&) const = default;
};

// Jet's NUMERIC: sign, a 128-bit magnitude (most significant 32-bit word first) and a scale.
struct Decimal {
    bool negative = false;
    std::uint8_t scale = 0;
    std::array<std::uint32_t, 4> magnitude{};
    bool operator==(const Decimal&) const = default;
};

using Bytes = std::vector<std::uint8_t>;

using Variant = std::variant<Null, bool, std::uint8_t, std::int16_t, std::int32_t, float, double,
                             Currency, DateTime, Guid, Decimal, std::string, Bytes>;

inline bool isNull(const Variant& value) {
    return std::holds_alternative<Null>(value);
}

}  // namespace glossel
