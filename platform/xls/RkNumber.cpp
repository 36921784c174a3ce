// RK number encoding and decoding.
#include "platform/xls/RkNumber.h"

#include <bit>
#include <cmath>

namespace glossel::xls {
namespace {

constexpr std::uint32_t kDivideBy100 = 0x01;
constexpr std::uint32_t kInteger = 0x02;
constexpr double kMinInteger = -536870912.0;  // -2^29
constexpr double kMaxInteger = 536870911.0;   // 2^29 - 1

std::optional<std::uint32_t> asInteger(double value) {
    if (value < kMinInteger || value > kMaxInteger || value != std::trunc(value) ||
        (std::signbit(value) && value == 0)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value)) << 2;
}

std::optional<std::uint32_t> asTruncatedDouble(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if ((bits & 0x3FFFFFFFFULL) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(bits >> 32);
}

}  // namespace

double decodeRk(std::uint32_t rk) {
    double value = 0;
    if (rk & kInteger) {
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & ~3U) << 32);
    }
    return (rk & kDivideBy100) ? value / 100.0 : value;
}

std::optional<std::uint32_t> encodeRk(double value) {
    if (const auto integer = asInteger(value)) {
        return *integer | kInteger;
    }
    if (const auto truncated = asTruncatedDouble(value)) {
        return *truncated;
    }
    // Hundredths: 0.29 * 100 is 28.999… in binary, so test the decoded value, not the product.
    const double hundredths = std::round(value * 100.0);
    if (std::isfinite(hundredths)) {
        if (const auto integer = asInteger(hundredths);
            integer && decodeRk(*integer | kInteger | kDivideBy100) == value) {
            return *integer | kInteger | kDivideBy100;
        }
    }
    return std::nullopt;
}

}  // namespace glossel::xls
