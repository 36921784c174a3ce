// Whole-file reads and safe replacement of workbook files through the file layer.
#include "platform/spreadsheet/FileAccess.h"

#include <cerrno>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/ExistingFile.h"
#include "platform/files/File.h"
#include "platform/files/FileError.h"
#include "platform/files/FilePaths.h"
#include "platform/files/StagedFile.h"
#include "platform/files/SystemErrorText.h"

namespace glossel::spreadsheet {
namespace {

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

[[noreturn]] void writeFailed(const std::string& shownPath, const std::string& step, int error) {
    const std::string reason = error != 0 ? step + ": " + files::systemErrorText(error) : step;
    throw Error(err::kDiskIo, "Die Arbeitsmappe '" + shownPath +
                                  "' kann nicht gespeichert werden (" + reason +
                                  "); die Datei bleibt unverändert.");
}

FileStamp stampFromInfo(const files::FileInfo& info) {
    return {info.identity.device, info.identity.inode, info.size, info.modifiedNs, info.changedNs};
}

}  // namespace

std::optional<FileStamp> stampOf(const std::string& nativePath) {
    files::FileInfo info;
    if (files::infoOf(nativePath, info) != 0) {
        return std::nullopt;
    }
    return stampFromInfo(info);
}

FileBytes readWholeFile(const std::string& nativePath, const std::string& displayPath) {
    const std::string shownPath = glossel::nativePath(displayPath);
    files::FileInfo info;
    files::File file = files::openExistingFile(nativePath, shownPath, info);
    FileBytes read{StreamBytes(static_cast<std::size_t>(info.size)), stampFromInfo(info)};
    if (const int error = file.readAt(0, read.bytes)) {
        throw Error(err::kDiskIo, "Lesefehler in der Datei '" + shownPath +
                                      "': " + files::systemErrorText(error) + ".");
    }
    return read;
}

std::optional<FileStamp> replaceFile(const std::string& nativePath, const std::string& displayPath,
                                     const std::function<void(std::FILE*)>& write) {
    const std::string shownPath = glossel::nativePath(displayPath);
    std::optional<files::StagedFile> staged;
    try {
        staged.emplace(nativePath);
    } catch (const files::FileError& failure) {
        throw Error(err::kCannotOpen, "Die Arbeitsmappe '" + shownPath +
                                          "' kann nicht gespeichert werden: im Verzeichnis kann "
                                          "keine neue Datei angelegt werden (" +
                                          files::systemErrorText(failure.systemError()) + ").");
    }
    files::File created;
    files::FileInfo written;
    int error = created.open(staged->path(), files::Access::readWrite);
    if (error == 0) {
        error = created.info(written);
    }
    if (error != 0) {
        writeFailed(shownPath, "Öffnen", error);
    }
    Stream file(created.releaseToStream("wb", error));
    if (!file.get()) {
        writeFailed(shownPath, "Öffnen", error);
    }
    errno = 0;
    try {
        write(file.get());
    } catch (const Error&) {
        writeFailed(shownPath, "Schreiben", errno);
    }
    if (std::fflush(file.get()) != 0 || std::ferror(file.get())) {
        writeFailed(shownPath, "Schreiben", errno);
    }
    if (!file.close()) {
        writeFailed(shownPath, "Schließen", errno);
    }
    try {
        staged->commit();
    } catch (const files::FileError& failure) {
        writeFailed(shownPath, "Ersetzen", failure.systemError());
    }
    const auto stamp = stampOf(nativePath);
    if (!stamp || stamp->device != written.identity.device ||
        stamp->inode != written.identity.inode) {
        return std::nullopt;
    }
    return stamp;
}

}  // namespace glossel::spreadsheet
