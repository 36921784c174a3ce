// RK numbers: the 32-bit form Excel stores most cell numbers in. Bit 0 = divide by 100, bit 1 =
// the upper 30 bits are a signed integer; otherwise they are the upper 30 bits of a double whose
// lower 34 bits are zero.
#pragma once

#include <cstdint>
#include <optional>

namespace glossel::xls {

double decodeRk(std::uint32_t rk);
// The RK form that decodes to exactly `value`, if there is one.
std::optional<std::uint32_t> encodeRk(double value);

}  // namespace glossel::xls
