// Reading the zip container of a workbook package from its bytes in memory, through minizip.
// Entries are found by part name without regard to letter case. Inflating is bounded: an entry
// whose sizes promise more than OoxmlFormat.h allows is refused before it is inflated, and the
// inflated bytes are checked against the entry's size and CRC.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace glossel::xlsx {

struct ZipMemory;

struct ZipEntry {
    std::string name;  // as stored: "xl/workbook.xml"
    std::uint64_t compressedSize = 0;
    std::uint64_t uncompressedSize = 0;
    std::uint32_t crc = 0;
    std::uint32_t dosDate = 0;
    std::uint32_t method = 0;  // 0 stored, 8 deflated
    std::uint32_t flags = 0;
    std::uint32_t internalAttributes = 0;
    std::uint32_t externalAttributes = 0;
    std::uint64_t directoryOffset = 0;  // where its central directory record is
    std::uint64_t entryNumber = 0;
};

class ZipReader {
public:
    // `bytes` must outlive the reader; `path` names the file in errors. Errors: 3343 when the
    // bytes are no zip file, 3049 when its directory is damaged or has too many entries.
    ZipReader(std::span<const std::uint8_t> bytes, std::string path);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    // In the order of the zip's directory.
    const std::vector<ZipEntry>& entries() const { return entries_; }
    // The entry of a part name ("/xl/workbook.xml" or "xl/workbook.xml"), letter case ignored;
    // nullptr when there is none.
    const ZipEntry* find(std::string_view partName) const;

    // Inflates the entry and hands its bytes to `take` in pieces, in order. Error 3049 naming
    // the part when it is encrypted, compressed by another method, too large, or damaged.
    void inflate(const ZipEntry& entry, const std::function<void(std::string_view)>& take) const;
    // The entry's bytes as stored in the zip, compressed, for copying the entry unchanged.
    std::vector<std::uint8_t> storedBytes(const ZipEntry& entry) const;

    const std::string& path() const { return path_; }

private:
    void goTo(const ZipEntry& entry) const;

    struct Closer {
        void operator()(void* zip) const;
    };

    std::string path_;
    std::unique_ptr<ZipMemory> memory_;
    std::unique_ptr<void, Closer> zip_;  // closed also when the constructor throws
    std::vector<ZipEntry> entries_;
    std::unordered_map<std::string, std::size_t> byName_;  // lower-case name → entry
};

// "/xl/Workbook.XML" → "xl/workbook.xml": the form part names are compared in.
std::string partKey(std::string_view partName);

}  // namespace glossel::xlsx
