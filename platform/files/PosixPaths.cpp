// Path operations and file identities with POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/NativePath.h"
#include "platform/files/FileError.h"
#include "platform/files/FileIdentity.h"
#include "platform/files/FileInfoOfStat.h"
#include "platform/files/FilePaths.h"
#include "platform/files/SystemErrorText.h"

namespace glossel::files {

int infoOf(const std::string& path, FileInfo& out) {
    struct stat status {};
    if (::stat(nativePath(path).c_str(), &status) != 0) {
        return errno;
    }
    out = fileInfoOf(status);
    return 0;
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    FileInfo info;
    const int error = infoOf(path, info);
    if (error == ENOENT || error == ENOTDIR) {
        return std::nullopt;
    }
    if (error != 0) {
        throw FileError(
            err::kCannotOpen,
            "Ob die Datei '" + nativePath(path) +
                "' vorhanden ist, lässt sich nicht feststellen: " + systemErrorText(error) + ".",
            error);
    }
    return info.identity;
}

int checkWritable(const std::string& path) {
    const std::string native = nativePath(path);
    if (::faccessat(AT_FDCWD, native.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno;
    }
    // A process with every right (root) passes the check above for any file; a file or
    // directory whose mode lets nobody write is still write-protected by its owner's will.
    struct stat status {};
    if (::stat(native.c_str(), &status) == 0 && (status.st_mode & 0222) == 0) {
        return EACCES;
    }
    return 0;
}

int freeSpaceOf(const std::string& directory, std::uint64_t& bytes) {
    struct statvfs status {};
    if (::statvfs(nativePath(directory).c_str(), &status) != 0) {
        return errno;
    }
    bytes = static_cast<std::uint64_t>(status.f_bavail) * status.f_frsize;
    return 0;
}

std::string resolvedPath(const std::string& path) {
    const std::string native = nativePath(path);
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(native.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : native;
}

std::string directoryOf(const std::string& path) {
    const std::string native = nativePath(path);
    const std::size_t slash = native.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : native.substr(0, slash);
}

int removeFile(const std::string& path) {
    return ::unlink(nativePath(path).c_str()) == 0 ? 0 : errno;
}

int renameFile(const std::string& from, const std::string& to) {
    return std::rename(nativePath(from).c_str(), nativePath(to).c_str()) == 0 ? 0 : errno;
}

int linkFile(const std::string& from, const std::string& to) {
    return ::link(nativePath(from).c_str(), nativePath(to).c_str()) == 0 ? 0 : errno;
}

int copyContent(const std::string& from, const std::string& to) {
    File input;
    if (const int error = input.open(from, Access::read)) {
        return error;
    }
    File output;
    if (const int error = output.open(to, Access::readWrite)) {
        return error;
    }
    if (const int error = output.truncate(0)) {
        return error;
    }
    std::vector<std::uint8_t> buffer(1 << 20);
    for (;;) {
        std::size_t got = 0;
        if (const int error = input.readSome(buffer, got)) {
            return error;
        }
        if (got == 0) {
            return output.close();
        }
        if (const int error = output.writeAll(std::span(buffer.data(), got))) {
            return error;
        }
    }
}

int syncDirectory(const std::string& directory) {
    File handle;
    if (const int error = handle.open(directory, Access::read)) {
        return error;
    }
    return handle.sync();
}

}  // namespace glossel::files
