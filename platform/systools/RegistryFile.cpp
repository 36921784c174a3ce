// Reading and atomically replacing the registry file, under a lock for changes.
#include "platform/systools/RegistryFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>

#include "platform/Error.h"
#include "platform/systools/RegKeyRemoval.h"
#include "platform/systools/RegistryErrors.h"
#include "platform/systools/SystemErrorText.h"

namespace glossel::systools {
namespace {

bool isMissingRights(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

[[noreturn]] void failIo(const std::string& what, const std::string& path, int error) {
    throw Error(kRegistryIoFailed, "Die Registrierungsdatei " + path + " " + what + ": " +
                                       systemErrorText(error) + ".");
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The file's bytes, or std::nullopt when there is no file.
std::optional<std::vector<std::uint8_t>> readBytes(const std::string& path) {
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        failIo("lässt sich nicht öffnen", path, errno);
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            failIo("lässt sich nicht lesen", path, errno);
        }
        if (n == 0) {
            return bytes;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

// The file that a change replaces: the target of a symbolic link, not the link.
std::string resolvedPath(const std::string& path) {
    std::error_code error;
    const auto canonical = std::filesystem::canonical(path, error);
    return error ? path : canonical.string();
}

void writeAll(int fd, const std::vector<std::uint8_t>& bytes, const std::string& path) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            failIo("lässt sich nicht schreiben", path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

// Writes `bytes` to a new file beside `path` with the old file's permissions, and renames it
// over `path`. False when the directory takes no new file for lack of rights.
bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0) {
        failIo("lässt sich nicht prüfen", path, errno);
    }
    std::string temporary = path + ".XXXXXX";
    const FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) {
        if (isMissingRights(errno)) {
            return false;
        }
        failIo("lässt sich nicht neu schreiben", path, errno);
    }
    try {
        if (::fchmod(file.get(), old.st_mode & 07777) != 0) {
            failIo("lässt sich nicht neu schreiben", path, errno);
        }
        writeAll(file.get(), bytes, path);
        if (::fsync(file.get()) != 0) {
            failIo("lässt sich nicht schreiben", path, errno);
        }
        if (::rename(temporary.c_str(), path.c_str()) != 0) {
            failIo("lässt sich nicht ersetzen", path, errno);
        }
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    const FileDescriptor directory(::open(std::filesystem::path(path).parent_path().c_str(),
                                          O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) {
        ::fsync(directory.get());
    }
    return true;
}

}  // namespace

RegistryFile::RegistryFile(std::string path) : path_(std::move(path)) {}

RegistryTree RegistryFile::read() const {
    const auto bytes = readBytes(path_);
    return bytes ? RegistryTree(parseRegDocument(*bytes, path_)) : RegistryTree();
}

bool RegistryFile::removeKey(const std::vector<std::string>& path) const {
    const std::string target = resolvedPath(path_);
    const std::string lockPath = target + ".lock";
    const FileDescriptor lock(::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644));
    if (lock.get() < 0) {
        if (errno == ENOENT) {
            return true;  // no directory, so no registry file and no key
        }
        if (isMissingRights(errno)) {
            return false;
        }
        failIo("lässt sich nicht sperren (" + lockPath + ")", target, errno);
    }
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            failIo("lässt sich nicht sperren (" + lockPath + ")", target, errno);
        }
    }
    const auto bytes = readBytes(target);
    if (!bytes) {
        return true;
    }
    const auto changed = bytesWithoutKey(*bytes, parseRegDocument(*bytes, target), path);
    if (!changed) {
        return true;
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        if (isMissingRights(errno)) {
            return false;
        }
        failIo("lässt sich nicht prüfen", target, errno);
    }
    return replaceFile(target, *changed);
}

}  // namespace glossel::systools
