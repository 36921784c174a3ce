// Extension and copy operations of FileTools.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/systools/FileTools.h"
#include "platform/systools/SystemErrorText.h"

namespace glossel::systools {
namespace {

constexpr int kShellCopy = 2;

[[noreturn]] void copyFailed(const std::string& source, const std::string& target,
                             const std::string& why) {
    throw Error(kPathFileAccessError,
                "Die Datei '" + source + "' kann nicht nach '" + target + "' kopiert werden: " +
                    why + ".");
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

}  // namespace

std::string FileTools::GetExtension(const std::string& path) const {
    const std::size_t partStart = path.find_last_of("\\/") == std::string::npos
                                      ? 0
                                      : path.find_last_of("\\/") + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < partStart) {
        return {};
    }
    return path.substr(dot + 1);
}

void FileTools::CopyFile(const std::string& source, const std::string& target, int operation,
                         int /*flags*/, int /*extra*/) const {
    if (operation != kShellCopy) {
        throw Error(err::kInvalidArgument, "Dateioperation " + std::to_string(operation) +
                                               " wird nicht unterstützt (nur 2, Kopieren).");
    }
    const std::string from = nativePath(source);
    const std::string to = nativePath(target);
    Descriptor input(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat sourceInfo {};
    if (input.get() < 0 || ::fstat(input.get(), &sourceInfo) != 0 || !S_ISREG(sourceInfo.st_mode)) {
        throw Error(kFileNotFoundError, "Datei nicht gefunden: '" + source + "' (" +
                                            systemErrorText(input.get() < 0 ? errno : ENOENT) +
                                            ").");
    }
    struct stat targetInfo {};
    if (::stat(to.c_str(), &targetInfo) == 0 && targetInfo.st_dev == sourceInfo.st_dev &&
        targetInfo.st_ino == sourceInfo.st_ino) {
        copyFailed(source, target, "Quelle und Ziel sind dieselbe Datei");
    }
    std::string temporary = to + ".glossel-XXXXXX";
    Descriptor output(::mkstemp(temporary.data()));
    if (output.get() < 0) {
        copyFailed(source, target, systemErrorText(errno));
    }
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(input.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            copyFailed(source, target, systemErrorText(error));
        }
        if (got == 0) {
            break;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(output.get(), buffer.data() + done,
                                        static_cast<std::size_t>(got - done));
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put < 0) {
                const int error = errno;
                ::unlink(temporary.c_str());
                copyFailed(source, target, systemErrorText(error));
            }
            done += put;
        }
    }
    const int fd = output.release();
    const bool written = ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    const int error = errno;
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), to.c_str()) != 0) {
        const int renameError = written ? errno : error;
        ::unlink(temporary.c_str());
        copyFailed(source, target, systemErrorText(renameError));
    }
}

}  // namespace glossel::systools
