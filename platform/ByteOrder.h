// Little-endian integers in byte buffers, the byte order of Jet pages and workbook records:
// reading and overwriting them at an offset, and appending them to a buffer being built.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace glossel::le {

inline std::uint16_t get16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

inline std::uint32_t get32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(get16(bytes, at)) |
           static_cast<std::uint32_t>(get16(bytes, at + 2)) << 16;
}

inline std::uint64_t get64(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint64_t>(get32(bytes, at)) |
           static_cast<std::uint64_t>(get32(bytes, at + 4)) << 32;
}

inline void set16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void set32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    set16(bytes, at, static_cast<std::uint16_t>(value));
    set16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

inline void append8(std::vector<std::uint8_t>& out, std::uint8_t value) {
    out.push_back(value);
}

inline void append16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    append16(out, static_cast<std::uint16_t>(value));
    append16(out, static_cast<std::uint16_t>(value >> 16));
}

inline void append64(std::vector<std::uint8_t>& out, std::uint64_t value) {
    append32(out, static_cast<std::uint32_t>(value));
    append32(out, static_cast<std::uint32_t>(value >> 32));
}

}  // namespace glossel::le
