// Reporting a damaged file: every such error names the file, and the page and table where known.
// Bounds-checked little-endian reads over page bytes report damage instead of reading past the end.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace glossel::jet {

struct Where {
    std::string_view path;
    std::optional<std::uint32_t> page;
    std::string_view table;
};

[[noreturn]] void throwDamaged(const Where& where, std::string_view what);

// A bounds-checked window on file bytes (a page, a row, a definition).
class ByteView {
public:
    ByteView(std::span<const std::uint8_t> bytes, Where where) : bytes_(bytes), where_(where) {}

    std::size_t size() const { return bytes_.size(); }
    std::span<const std::uint8_t> bytes() const { return bytes_; }
    const Where& where() const { return where_; }

    std::uint8_t u8(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    std::uint64_t u64(std::size_t offset) const;
    // Reads a value of width 1 or 2 bytes (the row and name fields of the two versions).
    std::uint32_t uint(std::size_t offset, std::size_t width) const;
    ByteView slice(std::size_t offset, std::size_t length) const;

    [[noreturn]] void damaged(std::string_view what) const { throwDamaged(where_, what); }

private:
    void require(std::size_t offset, std::size_t length) const;

    std::span<const std::uint8_t> bytes_;
    Where where_;
};

}  // namespace glossel::jet
