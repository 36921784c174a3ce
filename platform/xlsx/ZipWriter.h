// Writing the zip container of a workbook package into an open file, through minizip: new parts
// deflated as they are made, piece by piece on worker threads, so that no part is ever held whole;
// unchanged parts copied as stored in the package they came from.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/xlsx/PieceDeflater.h"
#include "platform/xlsx/PieceWriter.h"
#include "platform/xlsx/ZipReader.h"

namespace glossel::xlsx {

// Makes a part's content, handing it to the sink in pieces.
using PartMaker = std::function<void(const PieceSink&)>;

class ZipWriter {
public:
    // `file` stays open and owned by the caller; `path` names it in errors.
    ZipWriter(std::FILE* file, std::string path);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // A part that `make` makes, deflated, with the name and date of `like`.
    void addDeflated(const ZipEntry& like, const PartMaker& make);
    // A part as another zip stored it (`stored` compressed as `like` says), byte for byte.
    void addStored(const ZipEntry& like, std::span<const std::uint8_t> stored);
    // Writes the zip's directory. Error 3043 when writing fails, here or before.
    void finish();

private:
    void open(const ZipEntry& like, std::uint32_t method);
    void put(const void* data, std::size_t size);
    void close(std::uint64_t size, std::uint32_t crc);
    [[noreturn]] void failed() const;

    std::string path_;
    void* zip_ = nullptr;
    std::unique_ptr<PieceDeflater> deflater_;
};

}  // namespace glossel::xlsx
