// Whole-file reads and safe replacement with POSIX calls.
#include "platform/xls/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/Error.h"

namespace glossel::xls {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

class Stream {
public:
    explicit Stream(std::FILE* file) : file_(file) {}
    ~Stream() { close(); }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    std::FILE* get() const { return file_; }
    bool close() {
        std::FILE* file = file_;
        file_ = nullptr;
        return !file || std::fclose(file) == 0;
    }

private:
    std::FILE* file_;
};

[[noreturn]] void writeFailed(const std::string& displayPath, const std::string& step, int error) {
    const std::string reason = error != 0 ? step + ": " + std::strerror(error) : step;
    throw Error(err::kDiskIo, "Die Arbeitsmappe '" + displayPath +
                                  "' kann nicht gespeichert werden (" + reason +
                                  "); die Datei bleibt unverändert.");
}

// Removes the new file unless the rename has taken it over.
class NewFile {
public:
    explicit NewFile(std::string path) : path_(std::move(path)) {}
    ~NewFile() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    const std::string& path() const { return path_; }
    void keep() { path_.clear(); }

private:
    std::string path_;
};

FileStamp stampFromStat(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec,
            std::int64_t{info.st_ctim.tv_sec} * 1'000'000'000 + info.st_ctim.tv_nsec};
}

}  // namespace

std::optional<FileStamp> stampOf(const std::string& nativePath) {
    struct stat info {};
    if (::stat(nativePath.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return stampFromStat(info);
}

FileBytes readWholeFile(const std::string& nativePath, const std::string& displayPath) {
    FileDescriptor fd(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            throw Error(err::kFileNotFound,
                        "Die Datei '" + displayPath + "' wurde nicht gefunden.");
        }
        throw Error(err::kCannotOpen, "Die Datei '" + displayPath +
                                          "' kann nicht geöffnet werden (" + std::strerror(errno) +
                                          ").");
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        throw Error(err::kCannotOpen,
                    "Die Datei '" + displayPath + "' ist keine lesbare Arbeitsmappendatei.");
    }
    FileBytes file{std::vector<std::uint8_t>(static_cast<std::size_t>(info.st_size)),
                   stampFromStat(info)};
    std::vector<std::uint8_t>& bytes = file.bytes;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            throw Error(err::kDiskIo, "Lesefehler in der Datei '" + displayPath + "'.");
        }
        done += static_cast<std::size_t>(got);
    }
    return file;
}

std::optional<FileStamp> replaceFile(const std::string& nativePath,
                                     const std::string& displayPath,
                                     const std::function<void(std::FILE*)>& write) {
    const std::filesystem::path target(nativePath);
    const std::filesystem::path directory =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string pattern =
        (directory / ("." + target.filename().string() + ".glossel-XXXXXX")).string();
    const int created = ::mkstemp(pattern.data());
    if (created < 0) {
        throw Error(err::kCannotOpen, "Die Arbeitsmappe '" + displayPath +
                                          "' kann nicht gespeichert werden: im Verzeichnis kann "
                                          "keine neue Datei angelegt werden (" +
                                          std::strerror(errno) + ").");
    }
    NewFile newFile(pattern);
    struct stat old {};
    if (::stat(nativePath.c_str(), &old) == 0) {
        ::fchmod(created, old.st_mode & 07777);
    }
    Stream file(::fdopen(created, "wb"));
    if (!file.get()) {
        ::close(created);
        writeFailed(displayPath, "Öffnen", errno);
    }
    errno = 0;
    try {
        write(file.get());
    } catch (const Error&) {
        writeFailed(displayPath, "Schreiben", errno);
    }
    if (std::fflush(file.get()) != 0 || std::ferror(file.get())) {
        writeFailed(displayPath, "Schreiben", errno);
    }
    if (::fsync(::fileno(file.get())) != 0) {
        writeFailed(displayPath, "Sichern auf den Datenträger", errno);
    }
    struct stat written {};
    const bool identified = ::fstat(::fileno(file.get()), &written) == 0;
    if (!file.close()) {
        writeFailed(displayPath, "Schließen", errno);
    }
    if (::rename(newFile.path().c_str(), nativePath.c_str()) != 0) {
        writeFailed(displayPath, "Umbenennen", errno);
    }
    newFile.keep();
    FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
    const auto stamp = stampOf(nativePath);
    if (!identified || !stamp || stamp->device != static_cast<std::uint64_t>(written.st_dev) ||
        stamp->inode != static_cast<std::uint64_t>(written.st_ino)) {
        return std::nullopt;
    }
    return stamp;
}

}  // namespace glossel::xls
