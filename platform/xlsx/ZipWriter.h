// Writing the zip container of a workbook package into an open file, through minizip: new
// parts deflated by libdeflate, unchanged parts copied as stored in the package they came from.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "platform/xlsx/ZipReader.h"

struct libdeflate_compressor;

namespace glossel::xlsx {

class ZipWriter {
public:
    // `file` stays open and owned by the caller; `path` names it in errors.
    ZipWriter(std::FILE* file, std::string path);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // A part with `content`, deflated, with the name and date of `like`.
    void addDeflated(const ZipEntry& like, std::string_view content);
    // A part as another zip stored it (`stored` compressed as `like` says), byte for byte.
    void addStored(const ZipEntry& like, std::span<const std::uint8_t> stored);
    // Writes the zip's directory. Error 3043 when writing fails, here or before.
    void finish();

private:
    void add(const ZipEntry& like, std::uint32_t method, std::span<const std::uint8_t> stored,
             std::uint64_t size, std::uint32_t crc);
    [[noreturn]] void failed() const;

    std::string path_;
    void* zip_ = nullptr;
    libdeflate_compressor* compressor_ = nullptr;
};

}  // namespace glossel::xlsx
