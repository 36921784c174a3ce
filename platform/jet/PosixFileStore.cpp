// Byte store over a file of the file layer, read and written at offsets.
#include <algorithm>
#include <cerrno>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/File.h"
#include "platform/files/SystemErrorText.h"
#include "platform/jet/PageStore.h"

namespace glossel::jet {
namespace {

class PosixFileStore : public PageStore {
public:
    PosixFileStore(files::File file, bool writable, std::uint64_t size, std::string shownPath)
        : file_(std::move(file)),
          writable_(writable),
          size_(size),
          shownPath_(std::move(shownPath)) {}

    std::uint64_t size() const override { return size_; }
    bool writable() const override { return writable_; }

    void read(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        if (const int error = file_.readAt(offset, out)) {
            failed("Lesefehler", error);
        }
    }

    void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        if (const int error = file_.writeAt(offset, bytes)) {
            failed("Schreibfehler", error);
        }
        size_ = std::max(size_, offset + bytes.size());
    }

    void truncate(std::uint64_t length) override {
        if (const int error = file_.truncate(length)) {
            throw Error(err::kDiskIo, "Die Datei '" + shownPath_ + "' kann nicht gekürzt werden: " +
                                          files::systemErrorText(error) + ".");
        }
        size_ = length;
    }

    void beginSync() override { file_.startWriteback(); }

    void sync() override {
        if (const int error = file_.sync()) {
            failed("Fehler beim Sichern", error);
        }
    }

private:
    [[noreturn]] void failed(const char* what, int error) const {
        throw Error(err::kDiskIo, std::string(what) + " in der Datei '" + shownPath_ +
                                      "': " + files::systemErrorText(error) + ".");
    }

    files::File file_;
    bool writable_;
    std::uint64_t size_;
    std::string shownPath_;
};

bool lacksWriteRight(int error) {
    return error == EACCES || error == EROFS || error == EPERM;
}

}  // namespace

OpenedFile openFileStore(const std::string& nativePath, const std::string& displayPath) {
    const std::string shownPath = glossel::nativePath(displayPath);
    bool writable = true;
    files::File file;
    int error = file.open(nativePath, files::Access::readWrite);
    if (lacksWriteRight(error)) {
        writable = false;
        error = file.open(nativePath, files::Access::read);
    }
    if (error == ENOENT || error == ENOTDIR) {
        throw Error(err::kFileNotFound, "Die Datei '" + shownPath + "' wurde nicht gefunden.");
    }
    if (error != 0) {
        throw Error(err::kCannotOpen, "Die Datei '" + shownPath + "' kann nicht geöffnet werden (" +
                                          files::systemErrorText(error) + ").");
    }
    files::FileInfo info;
    if (file.info(info) != 0 || !info.regular) {
        throw Error(err::kCannotOpen,
                    "Die Datei '" + shownPath + "' ist keine lesbare Datenbankdatei.");
    }
    return {std::make_unique<PosixFileStore>(std::move(file), writable, info.size, shownPath),
            {info.identity.device, info.identity.inode}};
}

}  // namespace glossel::jet
