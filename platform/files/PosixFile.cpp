// File over a POSIX descriptor; every call that a signal can interrupt is repeated.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/NativePath.h"
#include "platform/files/File.h"
#include "platform/files/FileInfoOfStat.h"
#include "platform/files/SystemErrorText.h"
#include "platform/files/Writeback.h"

namespace glossel::files {
namespace {

// Writes all of `bytes` through `put` (data, size, bytes done so far), however little the system
// takes at a time and however often a signal interrupts it; 0 or the system's error number.
template <typename Put>
int writeWhole(std::span<const std::uint8_t> bytes, Put put) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = put(bytes.data() + done, bytes.size() - done, done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int flagsFor(Access access) {
    switch (access) {
        case Access::read:
            return O_RDONLY;
        case Access::readWrite:
            return O_RDWR;
        case Access::createNew:
            return O_RDWR | O_CREAT | O_EXCL;
        case Access::openOrCreate:
            return O_RDONLY | O_CREAT;
    }
    return O_RDONLY;
}

}  // namespace

File::~File() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

File::File(File&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

int File::open(const std::string& path, Access access) {
    const std::string native = nativePath(path);
    int descriptor;
    do {
        descriptor = ::open(native.c_str(), flagsFor(access) | O_CLOEXEC, 0644);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        return errno;
    }
    *this = File();
    descriptor_ = descriptor;
    return 0;
}

int File::info(FileInfo& out) const {
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) {
        return errno;
    }
    out = fileInfoOf(status);
    return 0;
}

int File::readSome(std::span<std::uint8_t> out, std::size_t& got) {
    for (;;) {
        const ssize_t n = ::read(descriptor_, out.data(), out.size());
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return 0;
        }
        if (errno != EINTR) {
            return errno;
        }
    }
}

int File::readToEnd(std::vector<std::uint8_t>& bytes) {
    std::uint8_t buffer[1 << 16];
    for (;;) {
        std::size_t got = 0;
        if (const int error = readSome(buffer, got)) {
            return error;
        }
        if (got == 0) {
            return 0;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
}

int File::readAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    for (std::size_t done = 0; done < out.size();) {
        const ssize_t n = ::pread(descriptor_, out.data() + done, out.size() - done,
                                  static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        if (n == 0) {
            return kEndOfFile;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int File::writeAll(std::span<const std::uint8_t> bytes) {
    return writeWhole(bytes, [this](const std::uint8_t* data, std::size_t size, std::size_t) {
        return ::write(descriptor_, data, size);
    });
}

int File::writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    return writeWhole(
        bytes, [this, offset](const std::uint8_t* data, std::size_t size, std::size_t done) {
            return ::pwrite(descriptor_, data, size, static_cast<off_t>(offset + done));
        });
}

int File::truncate(std::uint64_t length) {
    int result;
    do {
        result = ::ftruncate(descriptor_, static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

int File::setPermissions(unsigned bits) {
    return ::fchmod(descriptor_, static_cast<mode_t>(bits & 07777)) == 0 ? 0 : errno;
}

int File::sync() {
    int result;
    do {
        result = ::fsync(descriptor_);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

void File::startWriteback() {
    files::startWriteback(descriptor_);
}

int File::lockExclusive() {
    while (::flock(descriptor_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

int File::tryLockExclusive() {
    while (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            return errno == EAGAIN ? EWOULDBLOCK : errno;
        }
    }
    return 0;
}

int File::testRangeLocks(bool& locked) const {
    // An open-file-description query sees the locks of every other open of the file, those of
    // this process included, and takes none itself.
    struct flock query {};
    query.l_type = F_WRLCK;
    query.l_whence = SEEK_SET;
    query.l_start = 0;
    query.l_len = 0;
    while (::fcntl(descriptor_, F_OFD_GETLK, &query) != 0) {
        if (errno != EINTR) {
            return errno;
        }
    }
    locked = query.l_type != F_UNLCK;
    return 0;
}

std::FILE* File::releaseToStream(const char* mode, int& error) {
    std::FILE* stream = ::fdopen(descriptor_, mode);
    error = stream ? 0 : errno;
    if (stream) {
        descriptor_ = -1;
    }
    (void)close();
    return stream;
}

int File::close() {
    const int descriptor = std::exchange(descriptor_, -1);
    // Linux closes the descriptor even when close() is interrupted: never repeat it.
    return descriptor < 0 || ::close(descriptor) == 0 || errno == EINTR ? 0 : errno;
}

}  // namespace glossel::files
