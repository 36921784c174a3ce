// minizip writing into a stdio stream, in raw mode: the data arrives compressed.
#include "platform/xlsx/ZipWriter.h"

#include <libdeflate.h>
#include <minizip/zip.h>

#include <limits>
#include <vector>

#include "platform/Error.h"
#include "platform/NativePath.h"

namespace glossel::xlsx {
namespace {

// Fast enough to write a sheet of a million cells in a fraction of a second, and within a few
// per cent of the size the default level gives for sheet XML.
constexpr int kCompressionLevel = 4;
constexpr std::uint32_t kDeflated = 8;

voidpf openStream(voidpf opaque, const void*, int) {
    return opaque;
}

uLong readNothing(voidpf, voidpf, void*, uLong) {
    return 0;
}

uLong writeStream(voidpf, voidpf stream, const void* buffer, uLong size) {
    return static_cast<uLong>(std::fwrite(buffer, 1, size, static_cast<std::FILE*>(stream)));
}

ZPOS64_T tellStream(voidpf, voidpf stream) {
    const off_t position = ftello(static_cast<std::FILE*>(stream));
    return position < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(position);
}

long seekStream(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    const int whence = origin == ZLIB_FILEFUNC_SEEK_CUR   ? SEEK_CUR
                       : origin == ZLIB_FILEFUNC_SEEK_END ? SEEK_END
                                                          : SEEK_SET;
    return fseeko(static_cast<std::FILE*>(stream), static_cast<off_t>(offset), whence);
}

int leaveOpen(voidpf, voidpf) {
    return 0;
}

int streamError(voidpf, voidpf stream) {
    return std::ferror(static_cast<std::FILE*>(stream));
}

}  // namespace

ZipWriter::ZipWriter(std::FILE* file, std::string path) : path_(std::move(path)) {
    zlib_filefunc64_def functions{};
    functions.zopen64_file = openStream;
    functions.zread_file = readNothing;
    functions.zwrite_file = writeStream;
    functions.ztell64_file = tellStream;
    functions.zseek64_file = seekStream;
    functions.zclose_file = leaveOpen;
    functions.zerror_file = streamError;
    functions.opaque = file;
    zip_ = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &functions);
    compressor_ = libdeflate_alloc_compressor(kCompressionLevel);
    if (!zip_ || !compressor_) {
        failed();
    }
}

ZipWriter::~ZipWriter() {
    if (zip_) {
        zipClose(zip_, nullptr);
    }
    libdeflate_free_compressor(compressor_);
}

void ZipWriter::failed() const {
    throw Error(err::kDiskIo, "Die Arbeitsmappe '" + nativePath(path_) +
                                  "' kann nicht geschrieben werden (ZIP-Datei).");
}

void ZipWriter::addDeflated(const ZipEntry& like, std::string_view content) {
    std::vector<std::uint8_t> compressed(
        libdeflate_deflate_compress_bound(compressor_, content.size()));
    const std::size_t size = libdeflate_deflate_compress(
        compressor_, content.data(), content.size(), compressed.data(), compressed.size());
    if (size == 0 && !content.empty()) {
        failed();
    }
    const auto crc = static_cast<std::uint32_t>(libdeflate_crc32(0, content.data(), content.size()));
    add(like, kDeflated, std::span(compressed.data(), size), content.size(), crc);
}

void ZipWriter::addStored(const ZipEntry& like, std::span<const std::uint8_t> stored) {
    add(like, like.method, stored, like.uncompressedSize, like.crc);
}

void ZipWriter::add(const ZipEntry& like, std::uint32_t method,
                    std::span<const std::uint8_t> stored, std::uint64_t size, std::uint32_t crc) {
    zip_fileinfo info{};
    info.dosDate = like.dosDate;
    info.internal_fa = like.internalAttributes;
    info.external_fa = like.externalAttributes;
    const int zip64 = size >= std::numeric_limits<std::uint32_t>::max() ? 1 : 0;
    if (zipOpenNewFileInZip2_64(zip_, like.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                static_cast<int>(method), method == 0 ? 0 : kCompressionLevel, 1,
                                zip64) != ZIP_OK) {
        failed();
    }
    for (std::size_t at = 0; at < stored.size();) {
        const auto piece =
            static_cast<unsigned>(std::min<std::size_t>(stored.size() - at, 1u << 30));
        if (zipWriteInFileInZip(zip_, stored.data() + at, piece) != ZIP_OK) {
            failed();
        }
        at += piece;
    }
    if (zipCloseFileInZipRaw64(zip_, size, crc) != ZIP_OK) {
        failed();
    }
}

void ZipWriter::finish() {
    void* zip = zip_;
    zip_ = nullptr;
    if (zipClose(zip, nullptr) != ZIP_OK) {
        failed();
    }
}

}  // namespace glossel::xlsx
