// CSV formatting of field values.
#include "cli/CsvFormat.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace glossel::cli {
namespace {

__extension__ typedef unsigned __int128 UInt128;

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::int64_t kSecondsPerDay = 86400;

template <typename Number>
std::string shortestDecimal(Number value) {
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return error == std::errc() ? std::string(buffer, end) : std::to_string(value);
}

// `digits` is an unsigned integer in decimal; the result places a decimal point `scale` digits
// from the right and drops trailing zeros of the fraction.
std::string scaledDecimal(bool negative, std::string digits, unsigned scale) {
    if (digits.size() <= scale) {
        digits.insert(0, scale + 1 - digits.size(), '0');
    }
    std::string whole = digits.substr(0, digits.size() - scale);
    std::string fraction = digits.substr(digits.size() - scale);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    const bool zero = whole == "0" && fraction.empty();
    return (negative && !zero ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
}

std::string hex(const std::uint8_t* bytes, std::size_t count) {
    std::string out;
    out.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        out += kHexDigits[bytes[i] >> 4];
        out += kHexDigits[bytes[i] & 0xF];
    }
    return out;
}

std::string currency(Currency value) {
    const bool negative = value.tenThousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.tenThousandths)
                                             : static_cast<std::uint64_t>(value.tenThousandths);
    return scaledDecimal(negative, std::to_string(magnitude), 4);
}

std::string decimal(const Decimal& value) {
    UInt128 magnitude = 0;
    for (std::uint32_t word : value.magnitude) {
        magnitude = magnitude << 32 | word;
    }
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return scaledDecimal(value.negative, digits, value.scale);
}

std::string guid(const Guid& value) {
    const auto& b = value.bytes;
    const std::uint8_t ordered[16] = {b[3], b[2], b[1],  b[0],  b[5],  b[4],  b[7],  b[6],
                                      b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]};
    return "{" + hex(ordered, 4) + "-" + hex(ordered + 4, 2) + "-" + hex(ordered + 6, 2) + "-" +
           hex(ordered + 8, 2) + "-" + hex(ordered + 10, 6) + "}";
}

}  // namespace

std::string formatDateTime(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 3e6) {
        return shortestDecimal(days);
    }
    // The whole part counts days from 1899-12-30; the fraction is the time of day, positive
    // even for dates before that day.
    auto wholeDays = static_cast<std::int64_t>(std::trunc(days));
    auto seconds = std::llround(std::fabs(days - static_cast<double>(wholeDays)) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        wholeDays += days < 0 ? -1 : 1;
    }
    using namespace std::chrono;
    const year_month_day date{sys_days{1899y / December / 30} + std::chrono::days{wholeDays}};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02lld:%02lld:%02lld",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return buffer;
}

std::string csvField(const Variant& value) {
    struct Formatter {
        std::string operator()(Null) const { return {}; }
        std::string operator()(bool v) const { return v ? "TRUE" : "FALSE"; }
        std::string operator()(std::uint8_t v) const { return std::to_string(v); }
        std::string operator()(std::int16_t v) const { return std::to_string(v); }
        std::string operator()(std::int32_t v) const { return std::to_string(v); }
        std::string operator()(float v) const { return shortestDecimal(v); }
        std::string operator()(double v) const { return shortestDecimal(v); }
        std::string operator()(Currency v) const { return currency(v); }
        std::string operator()(DateTime v) const { return formatDateTime(v.days); }
        std::string operator()(const Guid& v) const { return guid(v); }
        std::string operator()(const Decimal& v) const { return decimal(v); }
        std::string operator()(const std::string& v) const { return csvQuoted(v); }
        std::string operator()(const Bytes& v) const { return hex(v.data(), v.size()); }
    };
    return std::visit(Formatter{}, value);
}

}  // namespace glossel::cli
