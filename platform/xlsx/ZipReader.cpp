// minizip over a buffer in memory, with the bounds an untrusted package needs.
#include "platform/xlsx/ZipReader.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cstring>

#include "platform/xlsx/OoxmlFormat.h"
#include "platform/xlsx/PackageError.h"

namespace glossel::xlsx {

// The buffer minizip reads, with its read position.
struct ZipMemory {
    std::span<const std::uint8_t> bytes;
    std::uint64_t position = 0;
};

namespace {

constexpr std::size_t kPieceSize = 1 << 16;
constexpr std::uint32_t kEncryptedFlag = 1;
constexpr std::uint32_t kStored = 0;
constexpr std::uint32_t kDeflated = 8;

voidpf openMemory(voidpf opaque, const void*, int) {
    return opaque;
}

uLong readMemory(voidpf, voidpf stream, void* buffer, uLong size) {
    auto& memory = *static_cast<ZipMemory*>(stream);
    if (memory.position >= memory.bytes.size()) {
        return 0;
    }
    const std::uint64_t count = std::min<std::uint64_t>(size, memory.bytes.size() - memory.position);
    std::memcpy(buffer, memory.bytes.data() + memory.position, count);
    memory.position += count;
    return static_cast<uLong>(count);
}

uLong writeNothing(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T tellMemory(voidpf, voidpf stream) {
    return static_cast<ZipMemory*>(stream)->position;
}

long seekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto& memory = *static_cast<ZipMemory*>(stream);
    std::uint64_t base = 0;
    switch (origin) {
        case ZLIB_FILEFUNC_SEEK_SET:
            break;
        case ZLIB_FILEFUNC_SEEK_CUR:
            base = memory.position;
            break;
        case ZLIB_FILEFUNC_SEEK_END:
            base = memory.bytes.size();
            break;
        default:
            return -1;
    }
    if (offset > memory.bytes.size() || base > memory.bytes.size() - offset) {
        return -1;
    }
    memory.position = base + offset;
    return 0;
}

int closeMemory(voidpf, voidpf) {
    return 0;
}

int noError(voidpf, voidpf) {
    return 0;
}

}  // namespace

std::string partKey(std::string_view partName) {
    if (!partName.empty() && partName.front() == '/') {
        partName.remove_prefix(1);
    }
    std::string key(partName);
    std::transform(key.begin(), key.end(), key.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return key;
}

ZipReader::ZipReader(std::span<const std::uint8_t> bytes, std::string path)
    : path_(std::move(path)), memory_(std::make_unique<ZipMemory>()) {
    memory_->bytes = bytes;
    static constexpr std::uint8_t kOle2Magic[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (bytes.size() >= sizeof kOle2Magic &&
        std::equal(std::begin(kOle2Magic), std::end(kOle2Magic), bytes.begin())) {
        throwUnrecognised(path_,
                          "sie ist eine Verbunddatei (eine Excel-97-Arbeitsmappe .xls oder eine "
                          "verschlüsselte Arbeitsmappe)");
    }
    zlib_filefunc64_def functions{};
    functions.zopen64_file = openMemory;
    functions.zread_file = readMemory;
    functions.zwrite_file = writeNothing;
    functions.ztell64_file = tellMemory;
    functions.zseek64_file = seekMemory;
    functions.zclose_file = closeMemory;
    functions.zerror_file = noError;
    functions.opaque = memory_.get();
    zip_.reset(unzOpen2_64("", &functions));
    if (!zip_) {
        throwUnrecognised(path_, "sie ist keine ZIP-Datei oder ist unvollständig");
    }
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(zip_.get(), &global) != UNZ_OK) {
        throwDamaged({path_, {}}, "das Inhaltsverzeichnis der ZIP-Datei ist unlesbar");
    }
    if (global.number_entry > kMaxEntries) {
        throwDamaged({path_, {}}, "die ZIP-Datei hat " + std::to_string(global.number_entry) +
                                      " Einträge, mehr als " + std::to_string(kMaxEntries));
    }
    std::uint64_t number = 0;
    for (int status = unzGoToFirstFile(zip_.get()); status != UNZ_END_OF_LIST_OF_FILE;
         status = unzGoToNextFile(zip_.get()), ++number) {
        if (status != UNZ_OK || number >= kMaxEntries) {
            throwDamaged({path_, {}}, "das Inhaltsverzeichnis der ZIP-Datei ist beschädigt");
        }
        unz_file_info64 info{};
        char name[1024];
        if (unzGetCurrentFileInfo64(zip_.get(), &info, name, sizeof name, nullptr, 0, nullptr, 0) !=
                UNZ_OK ||
            info.size_filename >= sizeof name) {
            throwDamaged({path_, {}}, "ein Eintrag im Inhaltsverzeichnis ist unlesbar");
        }
        unz64_file_pos position{};
        unzGetFilePos64(zip_.get(), &position);
        ZipEntry entry{std::string(name, info.size_filename),
                       info.compressed_size,
                       info.uncompressed_size,
                       static_cast<std::uint32_t>(info.crc),
                       static_cast<std::uint32_t>(info.dosDate),
                       static_cast<std::uint32_t>(info.compression_method),
                       static_cast<std::uint32_t>(info.flag),
                       static_cast<std::uint32_t>(info.internal_fa),
                       static_cast<std::uint32_t>(info.external_fa),
                       position.pos_in_zip_directory,
                       position.num_of_file};
        if (!byName_.emplace(partKey(entry.name), entries_.size()).second) {
            throwDamaged({path_, entry.name}, "der Teil steht zweimal in der ZIP-Datei");
        }
        entries_.push_back(std::move(entry));
    }
}

ZipReader::~ZipReader() = default;

void ZipReader::Closer::operator()(void* zip) const {
    unzClose(zip);
}

const ZipEntry* ZipReader::find(std::string_view partName) const {
    const auto found = byName_.find(partKey(partName));
    return found == byName_.end() ? nullptr : &entries_[found->second];
}

void ZipReader::goTo(const ZipEntry& entry) const {
    unz64_file_pos position{entry.directoryOffset, entry.entryNumber};
    if (unzGoToFilePos64(zip_.get(), &position) != UNZ_OK) {
        throwDamaged({path_, entry.name}, "der Eintrag ist nicht lesbar");
    }
}

void ZipReader::inflate(const ZipEntry& entry,
                        const std::function<void(std::string_view)>& take) const {
    const PartPlace place{path_, entry.name};
    if (entry.flags & kEncryptedFlag) {
        throwDamaged(place, "der Teil ist verschlüsselt");
    }
    if (entry.method != kStored && entry.method != kDeflated) {
        throwDamaged(place, "der Teil ist mit einem unbekannten Verfahren (" +
                                std::to_string(entry.method) + ") komprimiert");
    }
    if (entry.uncompressedSize > kMaxPartSize ||
        (entry.uncompressedSize > kInflationGrace &&
         entry.uncompressedSize / kMaxInflationRatio > entry.compressedSize)) {
        throwDamaged(place, "der Teil würde sich auf " + std::to_string(entry.uncompressedSize) +
                                " Bytes entpacken, aus " + std::to_string(entry.compressedSize) +
                                " Bytes (eine ZIP-Bombe?)");
    }
    goTo(entry);
    if (unzOpenCurrentFile(zip_.get()) != UNZ_OK) {
        throwDamaged(place, "der Teil ist nicht lesbar");
    }
    struct Closer {
        void* zip;
        bool open = true;
        ~Closer() {
            if (open) {
                unzCloseCurrentFile(zip);
            }
        }
    } closer{zip_.get()};
    std::string piece(kPieceSize, '\0');
    std::uint64_t total = 0;
    for (;;) {
        const int count = unzReadCurrentFile(zip_.get(), piece.data(), kPieceSize);
        if (count < 0) {
            throwDamaged(place, "die komprimierten Daten sind beschädigt");
        }
        if (count == 0) {
            break;
        }
        total += static_cast<std::uint64_t>(count);
        take(std::string_view(piece.data(), static_cast<std::size_t>(count)));
    }
    closer.open = false;
    if (unzCloseCurrentFile(zip_.get()) != UNZ_OK || total != entry.uncompressedSize) {
        throwDamaged(place, "Länge oder Prüfsumme (CRC) der Daten stimmt nicht");
    }
}

std::vector<std::uint8_t> ZipReader::storedBytes(const ZipEntry& entry) const {
    const PartPlace place{path_, entry.name};
    goTo(entry);
    int method = 0;
    int level = 0;
    if (unzOpenCurrentFile2(zip_.get(), &method, &level, 1) != UNZ_OK ||
        entry.compressedSize > memory_->bytes.size()) {
        throwDamaged(place, "der Teil ist nicht lesbar");
    }
    std::vector<std::uint8_t> stored(entry.compressedSize);
    std::size_t at = 0;
    while (at < stored.size()) {
        const unsigned want = static_cast<unsigned>(std::min<std::size_t>(stored.size() - at, 1 << 30));
        const int count = unzReadCurrentFile(zip_.get(), stored.data() + at, want);
        if (count <= 0) {
            unzCloseCurrentFile(zip_.get());
            throwDamaged(place, "die komprimierten Daten sind unvollständig");
        }
        at += static_cast<std::size_t>(count);
    }
    unzCloseCurrentFile(zip_.get());
    return stored;
}

}  // namespace glossel::xlsx
