// Reading and atomically replacing the registry file, under a lock for changes.
#include "platform/systools/RegistryFile.h"

#include <cerrno>
#include <optional>

#include "platform/Error.h"
#include "platform/files/File.h"
#include "platform/files/FileError.h"
#include "platform/files/FilePaths.h"
#include "platform/files/StagedFile.h"
#include "platform/files/SystemErrorText.h"
#include "platform/systools/RegKeyRemoval.h"
#include "platform/systools/RegistryErrors.h"

namespace glossel::systools {
namespace {

bool isMissingRights(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

[[noreturn]] void failIo(const std::string& what, const std::string& path, int error) {
    throw Error(kRegistryIoFailed, "Die Registrierungsdatei " + path + " " + what + ": " +
                                       files::systemErrorText(error) + ".");
}

// The file's bytes, or std::nullopt when there is no file.
std::optional<std::vector<std::uint8_t>> readBytes(const std::string& path) {
    files::File file;
    if (const int error = file.open(path, files::Access::read)) {
        if (error == ENOENT) {
            return std::nullopt;
        }
        failIo("lässt sich nicht öffnen", path, error);
    }
    std::vector<std::uint8_t> bytes;
    if (const int error = file.readToEnd(bytes)) {
        failIo("lässt sich nicht lesen", path, error);
    }
    return bytes;
}

// Writes `bytes` to a new file beside `path` with the old file's permissions, and renames it
// over `path`. False when the directory takes no new file for lack of rights.
bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::optional<files::StagedFile> staged;
    try {
        staged.emplace(path);
    } catch (const files::FileError& error) {
        if (isMissingRights(error.systemError())) {
            return false;
        }
        failIo("lässt sich nicht neu schreiben", path, error.systemError());
    }
    files::File file;
    int error = file.open(staged->path(), files::Access::readWrite);
    if (error == 0) {
        error = file.writeAll(bytes);
    }
    if (error == 0) {
        error = file.close();
    }
    if (error != 0) {
        failIo("lässt sich nicht schreiben", path, error);
    }
    try {
        staged->commit();
    } catch (const files::FileError& failure) {
        failIo("lässt sich nicht ersetzen", path, failure.systemError());
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
    const std::string target = files::resolvedPath(path_);
    const std::string lockPath = target + ".lock";
    files::File lock;
    if (const int error = lock.open(lockPath, files::Access::openOrCreate)) {
        if (error == ENOENT) {
            return true;  // no directory, so no registry file and no key
        }
        if (isMissingRights(error)) {
            return false;
        }
        failIo("lässt sich nicht sperren (" + lockPath + ")", target, error);
    }
    if (const int error = lock.lockExclusive()) {
        failIo("lässt sich nicht sperren (" + lockPath + ")", target, error);
    }
    const auto bytes = readBytes(target);
    if (!bytes) {
        return true;
    }
    const auto changed = bytesWithoutKey(*bytes, parseRegDocument(*bytes, target), path);
    if (!changed) {
        return true;
    }
    if (const int error = files::checkWritable(target)) {
        if (isMissingRights(error)) {
            return false;
        }
        failIo("lässt sich nicht prüfen", target, error);
    }
    return replaceFile(target, *changed);
}

}  // namespace glossel::systools
