// minizip writing into a stdio stream, in raw mode: the data arrives compressed.
#include "platform/xlsx/ZipWriter.h"

#include <minizip/zip.h>

#include <algorithm>

#include "platform/Error.h"
#include "platform/NativePath.h"

namespace glossel::xlsx {
namespace {

// zlib's fastest level: sheet XML deflates at well over 100 MB/s to about a sixth of its size
// (the default level takes three times as long for a fifth).
constexpr int kCompressionLevel = 1;
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
    deflater_ = std::make_unique<PieceDeflater>(kCompressionLevel);
    zip_ = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &functions);
    if (!zip_) {
        failed();
    }
}

ZipWriter::~ZipWriter() {
    if (zip_) {
        zipClose(zip_, nullptr);
    }
}

void ZipWriter::failed() const {
    throw Error(err::kDiskIo, "Die Arbeitsmappe '" + nativePath(path_) +
                                  "' kann nicht geschrieben werden (ZIP-Datei).");
}

void ZipWriter::addDeflated(const ZipEntry& like, const PartMaker& make) {
    open(like, kDeflated);
    deflater_->begin(
        [this](std::span<const unsigned char> bytes) { put(bytes.data(), bytes.size()); });
    make([this](std::string_view piece) { deflater_->add(piece); });
    deflater_->finish();
    close(deflater_->size(), deflater_->crc());
}

void ZipWriter::addStored(const ZipEntry& like, std::span<const std::uint8_t> stored) {
    open(like, like.method);
    put(stored.data(), stored.size());
    close(like.uncompressedSize, like.crc);
}

void ZipWriter::open(const ZipEntry& like, std::uint32_t method) {
    zip_fileinfo info{};
    info.dosDate = like.dosDate;
    info.internal_fa = like.internalAttributes;
    info.external_fa = like.externalAttributes;
    if (zipOpenNewFileInZip2_64(zip_, like.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                static_cast<int>(method), method == 0 ? 0 : kCompressionLevel, 1,
                                0) != ZIP_OK) {
        failed();
    }
}

void ZipWriter::put(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t at = 0; at < size;) {
        const auto piece = static_cast<unsigned>(std::min<std::size_t>(size - at, 1u << 30));
        if (zipWriteInFileInZip(zip_, bytes + at, piece) != ZIP_OK) {
            failed();
        }
        at += piece;
    }
}

void ZipWriter::close(std::uint64_t size, std::uint32_t crc) {
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
