// Extension and copy operations of FileTools.
#include <cerrno>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/File.h"
#include "platform/files/FileError.h"
#include "platform/files/FilePaths.h"
#include "platform/files/StagedFile.h"
#include "platform/files/SystemErrorText.h"
#include "platform/systools/FileTools.h"

namespace glossel::systools {
namespace {

constexpr int kShellCopy = 2;

[[noreturn]] void targetFailed(const std::string& target, int error) {
    throw Error(kPathFileAccessError, "Die Datei '" + target + "' kann nicht geschrieben werden: " +
                                          files::systemErrorText(error) + ".");
}

void copyContent(files::File& input, files::File& output, const std::string& source,
                 const std::string& target) {
    std::vector<std::uint8_t> buffer(1 << 16);
    for (;;) {
        std::size_t got = 0;
        if (const int error = input.readSome(buffer, got)) {
            throw Error(kPathFileAccessError,
                        "Die Datei '" + source +
                            "' kann nicht gelesen werden: " + files::systemErrorText(error) + ".");
        }
        if (got == 0) {
            return;
        }
        if (const int error = output.writeAll(std::span(buffer.data(), got))) {
            targetFailed(target, error);
        }
    }
}

}  // namespace

std::string FileTools::GetExtension(const std::string& path) const {
    const std::size_t partStart =
        path.find_last_of("\\/") == std::string::npos ? 0 : path.find_last_of("\\/") + 1;
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
    files::File input;
    files::FileInfo sourceInfo;
    int error = input.open(from, files::Access::read);
    if (error == 0) {
        error = input.info(sourceInfo);
    }
    if (error == 0 && !sourceInfo.regular) {
        error = EISDIR;
    }
    if (error != 0) {
        throw Error(kFileNotFoundError, "Datei nicht gefunden: '" + from + "' (" +
                                            files::systemErrorText(error) + ").");
    }
    files::FileInfo targetInfo;
    if (files::infoOf(to, targetInfo) == 0 && targetInfo.identity == sourceInfo.identity) {
        throw Error(kPathFileAccessError, "Die Datei '" + from + "' kann nicht nach '" + to +
                                              "' kopiert werden: Quelle und Ziel sind dieselbe "
                                              "Datei.");
    }
    try {
        files::StagedFile copy(to);
        files::File output;
        if ((error = output.open(copy.path(), files::Access::readWrite)) != 0) {
            targetFailed(to, error);
        }
        copyContent(input, output, from, to);
        if ((error = output.close()) != 0) {
            targetFailed(to, error);
        }
        copy.commit();
    } catch (const files::FileError& failure) {
        targetFailed(to, failure.systemError());
    }
}

}  // namespace glossel::systools
