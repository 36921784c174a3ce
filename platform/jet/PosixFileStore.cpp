// Byte store over a file, read with pread and written with pwrite.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Error.h"
#include "platform/Writeback.h"
#include "platform/jet/PageStore.h"

namespace glossel::jet {
namespace {

class PosixFileStore : public PageStore {
public:
    PosixFileStore(int fd, bool writable, std::uint64_t size, std::string displayPath)
        : fd_(fd), writable_(writable), size_(size), displayPath_(std::move(displayPath)) {}
    ~PosixFileStore() override { ::close(fd_); }
    PosixFileStore(const PosixFileStore&) = delete;
    PosixFileStore& operator=(const PosixFileStore&) = delete;

    std::uint64_t size() const override { return size_; }
    bool writable() const override { return writable_; }

    void read(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t got = ::pread(fd_, out.data() + done, out.size() - done,
                                        static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                throw Error(err::kDiskIo, "Lesefehler in der Datei '" + displayPath_ + "'.");
            }
            done += static_cast<std::size_t>(got);
        }
    }

    void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                         static_cast<off_t>(offset + done));
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put <= 0) {
                failed("Schreibfehler");
            }
            done += static_cast<std::size_t>(put);
        }
        size_ = std::max(size_, offset + bytes.size());
    }

    void beginSync() override { startWriteback(fd_); }

    void sync() override {
        if (::fsync(fd_) != 0) {
            failed("Fehler beim Sichern");
        }
    }

private:
    [[noreturn]] void failed(const char* what) const {
        throw Error(err::kDiskIo, std::string(what) + " in der Datei '" + displayPath_ +
                                      "': " + std::strerror(errno) + ".");
    }

    int fd_;
    bool writable_;
    std::uint64_t size_;
    std::string displayPath_;
};

}  // namespace

OpenedFile openFileStore(const std::string& nativePath, const std::string& displayPath) {
    bool writable = true;
    int fd = ::open(nativePath.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        writable = false;
        fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            throw Error(err::kFileNotFound,
                        "Die Datei '" + displayPath + "' wurde nicht gefunden.");
        }
        throw Error(err::kCannotOpen, "Die Datei '" + displayPath +
                                          "' kann nicht geöffnet werden (keine Berechtigung oder "
                                          "gesperrt).");
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw Error(err::kCannotOpen,
                    "Die Datei '" + displayPath + "' ist keine lesbare Datenbankdatei.");
    }
    return {std::make_unique<PosixFileStore>(fd, writable, static_cast<std::uint64_t>(info.st_size),
                                             displayPath),
            {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)}};
}

}  // namespace glossel::jet
