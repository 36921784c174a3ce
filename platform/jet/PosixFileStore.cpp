// Byte store over a file, read with pread.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Error.h"
#include "platform/jet/PageStore.h"

namespace glossel::jet {
namespace {

class PosixFileStore : public PageStore {
public:
    PosixFileStore(int fd, std::uint64_t size, std::string displayPath)
        : fd_(fd), size_(size), displayPath_(std::move(displayPath)) {}
    ~PosixFileStore() override { ::close(fd_); }
    PosixFileStore(const PosixFileStore&) = delete;
    PosixFileStore& operator=(const PosixFileStore&) = delete;

    std::uint64_t size() const override { return size_; }

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

private:
    int fd_;
    std::uint64_t size_;
    std::string displayPath_;
};

}  // namespace

std::unique_ptr<PageStore> openFileStore(const std::string& nativePath,
                                         const std::string& displayPath) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
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
    return std::make_unique<PosixFileStore>(fd, static_cast<std::uint64_t>(info.st_size),
                                            displayPath);
}

}  // namespace glossel::jet
